#pragma once
#include <QString>
#include <QStringList>

// What the command line asks for. Parsed here rather than by QCommandLineParser::process,
// which exits with status 1 on a wrong option; a usage error exits with 2.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    bool demoCamera = false;
    QStringList files;   // pictures to open, as given
    QString text;        // what Help, Version and UsageError print
    QStringList unknownOptions; // with UsageError

    static constexpr int kUsageErrorStatus = 2;
};

// arguments: as QCoreApplication::arguments(), the program first. Single-dash words are
// options (-platform), as in Qt's own.
CommandLine ParseCommandLine(const QStringList& arguments);

// Options QApplication takes off the command line itself (-platform, -style, ...).
bool IsToolkitOption(const QString& name);
