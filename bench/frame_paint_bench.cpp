// The user-interface thread's work for one live frame: the frame handler (display image
// from the frame image, frame rate) and one paint of the picture area with 20
// measurements and the grid, copied to the screen; beside it a plain memcpy of one frame.
// The "x_memcpy" counter is the frame's time over the memcpy's, measured in the same run.
#include "bench_scene.h"
#include "calib/view_mapping.h"
#include "capture/frame_rate.h"
#include "capture/live_frame.h"
#include "capture/shared_frame.h"
#include "capture/white_balance.h"
#include "images/dib_image.h"
#include "view/overlay_composer.h"
#include "view/overlay_list.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kAreaWidth = 1000; // the picture area of a main window on a 1280 x 1024 screen
constexpr int kAreaHeight = 800;

std::vector<std::uint8_t> Frame(int width, int height) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>((width * 3 + 3) & ~3) * height);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + (i >> 12));
    return bytes;
}

// Microseconds for one memcpy of a frame of this size (best of a few runs).
double MemcpyMicroseconds(std::size_t bytes) {
    std::vector<std::uint8_t> a(bytes, 1), b(bytes);
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 20; ++i) {
            std::memcpy(b.data(), a.data(), bytes);
            benchmark::DoNotOptimize(b.data());
            benchmark::ClobberMemory();
        }
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::micro>(t1 - t0).count() / 20);
    }
    return best;
}

// Args: frame width, height; magnification index (0 = fit, 1 = x1).
void LiveFrameOnUiThread(benchmark::State& state) {
    bench::EnsureGui();
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto bytes = Frame(w, h);
    SharedFrame frame;
    frame.create(w, h);
    frame.write({bytes.data(), bytes.size(), w, h, (w * 3 + 3) & ~3});
    CDibImage display;
    display.create(w, h, 24);
    // 20 measurements spread over the frame, the grid, no scale bar.
    bench::Overlay overlay;
    bench::AddMeasurements(overlay.chain, 20, {5, 60, 60, (w - 200) / 5.0, (h - 200) / 4.0},
                           bench::kSmallFigure);
    ViewMapping view;
    view.m_Bai = static_cast<int>(state.range(2));
    const ViewGeometry geometry{{0, 0, kAreaWidth, kAreaHeight}, w, h};
    QImage composed;
    OverlayList scratch;
    QImage screen(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
    FrameRateCounter rate;
    WhiteBalanceMeasure measure;
    std::uint32_t now = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        // OnFrameArrived: the display image under the frame lock, the rate, the repaint.
        frame.read([&](const CDibImage& image) {
            return PrepareLiveFrame(image, display, {}, {}, measure, now, now);
        });
        rate.count(now += 33);
        // The paint: composed off-screen, then copied to the window in one step.
        ComposePictureArea(composed, display, nullptr, view, geometry, overlay.in, scratch);
        QPainter p(&screen);
        p.drawImage(0, 0, composed);
        p.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
    const double perFrame =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    const double memcpy = MemcpyMicroseconds(bytes.size());
    state.counters["memcpy_us"] = memcpy;
    state.counters["x_memcpy"] = perFrame / memcpy;
}

// The plain copy of one frame, for the ratio.
void FrameMemcpy(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto source = Frame(w, h);
    std::vector<std::uint8_t> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(FrameMemcpy)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(LiveFrameOnUiThread)
    ->Args({1280, 1024, 0})
    ->Args({1280, 1024, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
