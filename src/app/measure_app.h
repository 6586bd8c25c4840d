#pragma once
#include <optional>

class QApplication;

// Program start: command line, language, one instance per desktop (a second start hands
// its picture to the first), then the main window run modally.
class CMeasureApp {
public:
    // --help and --version, answered before any window or display exists: the exit
    // status, or nothing when the program is to start.
    static std::optional<int> answerWithoutWindow(int argc, char** argv);
    // Returns the process exit code.
    int run(QApplication& app);
};
