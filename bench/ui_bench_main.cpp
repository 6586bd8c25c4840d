// Main of the window benchmarks: the QApplication lives on main's stack, so it goes
// before main returns (and the camera's worker threads after it), never from the
// static destructors at exit, where Qt's own globals are already gone.
#include "capture/capture.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        QApplication app(argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    ReleaseCaptureThreads();
    return 0;
}
