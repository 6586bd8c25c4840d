#include "app/command_line.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    QString out, err;
};

// The built program, without a display: what it answers is decided before any window.
ProgramRun RunProgram(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MIRELTA_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(20000)) << arguments.join(' ').toStdString();
    ProgramRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

TEST(CommandLine, HelpAndVersionAnswerAndWrongOptionsEndWithStatus2) {
    const ProgramRun help = RunProgram({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: mirelta [options] [FILE...]\n"))) << help.out.toStdString();
    for (const char* option : {"-h, --help", "-v, --version", "--demo-camera", "FILE"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    EXPECT_EQ(RunProgram({QStringLiteral("-h")}).out, help.out);

    for (const char* option : {"--version", "-v"}) {
        const ProgramRun version = RunProgram({QLatin1String(option)});
        EXPECT_EQ(version.status, 0) << option;
        EXPECT_EQ(version.out, QStringLiteral("Mirelta 1.658\n")) << option;
    }

    for (const char* option : {"--no-such-option", "-x", "--demo-camera=3"}) {
        const ProgramRun wrong = RunProgram({QLatin1String(option)});
        EXPECT_EQ(wrong.status, 2) << option;
        EXPECT_TRUE(wrong.out.isEmpty()) << option;
        EXPECT_TRUE(wrong.err.startsWith(QStringLiteral("mirelta: "))) << wrong.err.toStdString();
        EXPECT_TRUE(wrong.err.contains(QStringLiteral("Try 'mirelta --help'"))) << wrong.err.toStdString();
    }
}

TEST(CommandLine, PicturesAndTheDemoCameraAreTaken) {
    const CommandLine c = ParseCommandLine({QStringLiteral("/usr/bin/mirelta"), QStringLiteral("--demo-camera"),
                                            QStringLiteral("a.jpg"), QStringLiteral("--"),
                                            QStringLiteral("-b.png")});
    EXPECT_EQ(c.action, CommandLine::Action::Run);
    EXPECT_TRUE(c.demoCamera);
    EXPECT_EQ(c.files, (QStringList{QStringLiteral("a.jpg"), QStringLiteral("-b.png")}));
    // Qt's own options are left to QApplication, every other one is wrong.
    const CommandLine qt = ParseCommandLine({QStringLiteral("mirelta"), QStringLiteral("-platform"),
                                             QStringLiteral("offscreen"), QStringLiteral("-style"),
                                             QStringLiteral("fusion"), QStringLiteral("--bogus")});
    EXPECT_EQ(qt.action, CommandLine::Action::UsageError);
    EXPECT_TRUE(IsToolkitOption(QStringLiteral("platform")));
    EXPECT_TRUE(IsToolkitOption(QStringLiteral("style")));
    EXPECT_FALSE(IsToolkitOption(QStringLiteral("bogus")));
}

} // namespace
