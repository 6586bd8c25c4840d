#include "app/measure_app.h"

#include "app/app_style.h"
#include "app/command_line.h"
#include "app/external_picture_opener.h"
#include "app/hand_over_client.h"
#include "app/hand_over_message.h"
#include "app/hand_over_server.h"
#include "app/measure_dlg.h"
#include "app/message_box_prompt.h"
#include "app/single_instance.h"
#include "app/thumbnail_strip.h"
#include "app/toolkit_translations.h"
#include "capture/capture_device.h"
#include "images/picture_loader.h"
#include "platform/language.h"
#include "platform/string_table.h"

#include <QApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

// A second start with a picture: the running window opens it. Returns the exit status.
int HandOver(const SingleInstance& instance, const QString& file, Prompt& prompt) {
    const QString path = QFileInfo(file).absoluteFilePath();
    const auto refuse = [&] {
        // Nothing changes in the running window; the message is the one it would show.
        const std::string text = UnreadablePictureText(path.toStdString());
        print(stderr, QString::fromStdString(text) + '\n');
        prompt.ask(nullptr, text, Tr("error", "エラー"), PromptButtons::Ok, PromptIcon::Warning);
        return 1;
    };
    if (handover::CheckPicturePath(path.toStdString()) != handover::PathProblem::None)
        return refuse();
    switch (HandPictureOver(instance.socketPath(), path)) {
    case HandOverResult::Accepted:
        return 0;
    case HandOverResult::Refused:
        return refuse();
    case HandOverResult::NoAnswer:
        break;
    }
    // A running Mirelta that does not listen: the single-instance rule as ever.
    prompt.ask(nullptr, LoadStr(strid::AlreadyRunning), "Mirelta", PromptButtons::Ok, PromptIcon::None);
    return 1;
}

void SetApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Mirelta"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.658"));
    QCoreApplication::setOrganizationName(QStringLiteral("MRC"));
}

// Help, version and usage errors are printed and end the program with their status.
std::optional<int> Answer(const CommandLine& commandLine) {
    switch (commandLine.action) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        print(stdout, commandLine.text);
        return 0;
    case CommandLine::Action::UsageError:
        print(stderr, commandLine.text);
        return CommandLine::kUsageErrorStatus;
    case CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> CMeasureApp::answerWithoutWindow(int argc, char** argv) {
    SetApplicationIdentity();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = ParseCommandLine(arguments);
    // Qt's own options (-platform, -style, ...) are known once QApplication has taken
    // them off the command line; any other wrong option is answered now.
    if (commandLine.action == CommandLine::Action::UsageError && !commandLine.unknownOptions.isEmpty() &&
        std::all_of(commandLine.unknownOptions.begin(), commandLine.unknownOptions.end(), IsToolkitOption))
        return std::nullopt;
    return Answer(commandLine);
}

int CMeasureApp::run(QApplication& app) {
    SetApplicationIdentity();
    // The window managers match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(MIRELTA_APP_ID));

    const CommandLine commandLine = ParseCommandLine(app.arguments());
    if (const auto status = Answer(commandLine))
        return *status;

    InitLanguage();
    InstallToolkitTranslations(app);
    InstallPictureLoader(); // GIF pictures in the save folder
    ApplyAppStyle(app);
    MessageBoxPrompt prompt;

    SingleInstance instance;
    if (!instance.acquire()) {
        if (!commandLine.files.isEmpty())
            return HandOver(instance, commandLine.files.front(), prompt);
        prompt.ask(nullptr, LoadStr(strid::AlreadyRunning), "Mirelta", PromptButtons::Ok, PromptIcon::None);
        return 1;
    }

    // Listening starts before the window is made, so that a second start finds it; what
    // arrives meanwhile waits in the opener.
    ExternalPictureOpener opener;
    HandOverServer handOver;
    QObject::connect(&handOver, &HandOverServer::pictureRequested, &opener, &ExternalPictureOpener::request);
    if (!handOver.listen(instance.socketPath()))
        print(stderr, QStringLiteral("mirelta: a second start cannot hand pictures over (%1)\n")
                          .arg(handOver.errorString()));
    if (!commandLine.files.isEmpty())
        opener.request(QFileInfo(commandLine.files.front()).absoluteFilePath());

    CameraSources cameras;
    if (commandLine.demoCamera)
        cameras.virtualCameras = {DemoCameraConfig(), RegisterDemoCameraConfig()};
    MeasureDlgOptions options;
    options.prompt = &prompt;
    options.cameras = &cameras;
    CMeasureDlg dialog(options);
    opener.setWindow(&dialog);
    dialog.exec();
    return 0;
}
