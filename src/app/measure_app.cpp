#include "app/measure_app.h"

#include "app/app_style.h"
#include "app/measure_dlg.h"
#include "app/message_box_prompt.h"
#include "app/single_instance.h"
#include "app/toolkit_translations.h"
#include "capture/capture_device.h"
#include "images/picture_loader.h"
#include "platform/language.h"
#include "platform/string_table.h"

#include <QApplication>
#include <QCommandLineParser>

int CMeasureApp::run(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Mirelta"));
    QApplication::setApplicationVersion(QStringLiteral("1.658"));
    QApplication::setOrganizationName(QStringLiteral("MRC"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Measuring on the live picture of USB microscope cameras."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demoCamera(
        QStringLiteral("demo-camera"),
        QStringLiteral("Also offer two built-in cameras showing a synthetic specimen: \"Demo "
                       "Microscope\" and \"VESPIR-220KT4\", a simulated register camera whose "
                       "gains and exposure SET changes; real cameras come first."));
    parser.addOption(demoCamera);
    parser.process(app); // reports unknown options and exits

    InitLanguage();
    InstallToolkitTranslations(app);
    InstallPictureLoader(); // GIF pictures in the save folder
    ApplyAppStyle(app);
    MessageBoxPrompt prompt;

    SingleInstance instance;
    if (!instance.acquire()) {
        prompt.ask(nullptr, LoadStr(strid::AlreadyRunning), "Mirelta", PromptButtons::Ok, PromptIcon::None);
        return 1;
    }

    CameraSources cameras;
    if (parser.isSet(demoCamera))
        cameras.virtualCameras = {DemoCameraConfig(), RegisterDemoCameraConfig()};
    MeasureDlgOptions options;
    options.prompt = &prompt;
    options.cameras = &cameras;
    CMeasureDlg dialog(options);
    dialog.exec();
    return 0;
}
