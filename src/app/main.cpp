#include "app/measure_app.h"
#include "capture/capture.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = CMeasureApp::answerWithoutWindow(argc, argv))
        return *status;
    int status = 0;
    {
        QApplication app(argc, argv);
        CMeasureApp measureApp;
        status = measureApp.run(app);
    }
    // The window and its graphs are gone; no camera thread outlives the program's objects.
    ReleaseCaptureThreads();
    return status;
}
