#pragma once

class QApplication;

// Program start: command line, language, one instance per desktop, then the
// main window run modally. Returns the process exit code.
class CMeasureApp {
public:
    int run(QApplication& app);
};
