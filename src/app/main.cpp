#include "app/measure_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CMeasureApp measureApp;
    return measureApp.run(app);
}
