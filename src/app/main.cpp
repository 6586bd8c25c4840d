#include "app/measure_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = CMeasureApp::answerWithoutWindow(argc, argv))
        return *status;
    QApplication app(argc, argv);
    CMeasureApp measureApp;
    return measureApp.run(app);
}
