#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Measuring on the live picture of USB microscope cameras."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption demoCamera(
        QStringLiteral("demo-camera"),
        QStringLiteral("Also offer two built-in cameras showing a synthetic specimen: \"Demo "
                       "Microscope\" and \"VESPIR-220KT4\", a simulated register camera whose "
                       "gains and exposure SET changes; real cameras come first."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(demoCamera);
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A picture (BMP, JPEG, PNG, TIFF or GIF) to open for measuring, as a "
                       "thumbnail is opened. When Mirelta already runs, it opens there. "
                       "Of several files the first is opened."),
        QStringLiteral("[FILE...]"));

    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    const QString program = arguments.isEmpty() ? QStringLiteral("mirelta")
                                                : QFileInfo(arguments.front()).fileName();
    CommandLine out;
    if (!parser.parse(arguments)) {
        out.action = CommandLine::Action::UsageError;
        out.unknownOptions = parser.unknownOptionNames();
        out.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                       .arg(program, parser.errorText());
        return out;
    }
    if (parser.isSet(help)) {
        out.action = CommandLine::Action::Help;
        // The usage line names the program as it is called, not its full path.
        out.text = parser.helpText();
        const qsizetype from = out.text.indexOf(QLatin1String("Usage: "));
        const qsizetype to = out.text.indexOf(QLatin1String(" [options]"));
        if (from == 0 && to > from)
            out.text.replace(7, to - 7, program);
        return out;
    }
    if (parser.isSet(version)) {
        out.action = CommandLine::Action::Version;
        out.text = QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                 QCoreApplication::applicationVersion());
        return out;
    }
    out.demoCamera = parser.isSet(demoCamera);
    out.files = parser.positionalArguments();
    return out;
}

bool IsToolkitOption(const QString& name) {
    static const QStringList names{
        QStringLiteral("platform"),   QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),     QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"), QStringLiteral("reverse"),          QStringLiteral("session"),
        QStringLiteral("style"),      QStringLiteral("stylesheet"),         QStringLiteral("widgetcount"),
        QStringLiteral("display"),    QStringLiteral("geometry"),           QStringLiteral("title"),
        QStringLiteral("name"),       QStringLiteral("visual"),             QStringLiteral("nograb"),
        QStringLiteral("dograb"),     QStringLiteral("qmljsdebugger")};
    return names.contains(name);
}
