// The whole live path in the running main window: a virtual camera at 60 frames/s for
// 10 s, at 1280 x 1024 without and with the edge preview shown (MagnetData.Show 1: the
// edge image is made on every frame) and with the focus aids, and at 1280 x 1024 and
// 1920 x 1080 with 20 measurements, the grid and the scale bar on the picture. Reports frames offered by the camera, shown by the window,
// dropped by the 500 ms rule and merged because the window had not yet taken the
// previous one, and the process's CPU time.
#include "app/main_dialog_template.h"
#include "live_scene.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/resource.h>

namespace {

// Made by ui_bench_main.cpp, which also takes it down before main returns.
QApplication& App() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// range(1): the edge preview shown (the edge image made every frame); range(2): the focus
// line on and four focus areas of 200 x 200 open, drawn with the mouse as the operator
// does; range(3), range(4): the camera size; range(5): 20 measurements, grid, scale bar.
void LiveView60fps(benchmark::State& state) {
    App();
    const int seconds = static_cast<int>(state.range(0));
    const int showPreview = static_cast<int>(state.range(1));
    const bool focus = state.range(2) != 0;
    bench::LiveScene scene;
    scene.width = static_cast<int>(state.range(3));
    scene.height = static_cast<int>(state.range(4));
    scene.measurements = state.range(5) != 0;
    scene.extraSettings = "MagnetData.Show=" + std::to_string(showPreview) + "\n" +
                          (focus ? "color.focusflg=1\ncolor.focuspos=512\n" : "");
    char tmpl[] = "/tmp/mirelta-bench-XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    bench::LiveWindowSetup setup(dir, scene);
    const MeasureDlgOptions& o = setup.options;
    ScriptedPrompt& prompt = setup.prompt;
    for (auto _ : state) {
        CMeasureDlg dlg(o);
        dlg.resize(1400, 1000);
        dlg.show();
        LiveView& live = *dlg.liveView();
        QTest::qWait(500); // past the first frames and the first timer ticks
        setup.addMeasurements(dlg);
        for (int k = 0; focus && k < 4; ++k) {
            QTest::mouseClick(dlg.item(idc::FocusArea), Qt::LeftButton);
            const auto at = [&dlg](double x, double y) {
                const DPOINT w = dlg.ImageToWindow({x, y});
                return QPoint(static_cast<int>(w.x), static_cast<int>(w.y));
            };
            const double x = 100 + 250 * (k % 2);
            const double y = 100 + 250 * (k / 2);
            QTest::mousePress(&dlg, Qt::LeftButton, {}, at(x, y));
            QTest::mouseRelease(&dlg, Qt::LeftButton, {}, at(x + 200, y + 200));
        }
        live.frameImage().resetCounters();
        live.resetStats();
        const double cpu0 = CpuSeconds();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < seconds * 1000)
            QTest::qWait(50);
        const double wall = t.elapsed() / 1000.0;
        const double cpu = CpuSeconds() - cpu0;
        const SharedFrame::Counters c = live.frameImage().counters();
        const LiveView::Stats& s = live.stats();
        state.counters["offered"] = static_cast<double>(c.offered);
        state.counters["shown"] = static_cast<double>(s.shown);
        state.counters["late_500ms"] = static_cast<double>(s.late);
        state.counters["merged"] = static_cast<double>(c.merged);
        state.counters["offered_fps"] = c.offered / wall;
        state.counters["shown_fps"] = s.shown / wall;
        state.counters["title_fps"] = dlg.camera().frameRate;
        state.counters["cpu_cores"] = cpu / wall;
        prompt.queue(PromptAnswer::Yes);
        dlg.reject();
    }
    std::filesystem::remove_all(dir);
}

BENCHMARK(LiveView60fps)
    ->ArgNames({"seconds", "show", "focus", "w", "h", "scene"})
    ->Args({10, 0, 0, 1280, 1024, 0})
    ->Args({10, 1, 0, 1280, 1024, 0})
    ->Args({10, 0, 1, 1280, 1024, 0})
    ->Args({10, 0, 0, 1280, 1024, 1})
    ->Args({10, 0, 0, 1920, 1080, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace
