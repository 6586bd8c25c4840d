// One paint of the picture area: the picture step and every overlay layer composed
// off-screen, against a bare QPainter drawImage of the same picture into the same area.
#include "bench_scene.h"
#include "calib/view_mapping.h"
#include "images/dib_image.h"
#include "model/measure.h"
#include "platform/kernel_level.h"
#include "view/overlay_composer.h"
#include "view/overlay_layers.h"
#include "view/overlay_list.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int kImageWidth = 1280;
constexpr int kImageHeight = 1024;
constexpr int kAreaWidth = 1000;
constexpr int kAreaHeight = 800;

struct Scene {
    CDibImage picture;
    MEASURE working;
    bench::Overlay overlay;

    Scene() {
        picture.create(kImageWidth, kImageHeight, 24);
        for (int y = 0; y < kImageHeight; ++y) {
            std::uint8_t* p = picture.scanLine(y);
            for (int x = 0; x < kImageWidth; ++x, p += 3) {
                p[0] = static_cast<std::uint8_t>(x);
                p[1] = static_cast<std::uint8_t>(y);
                p[2] = static_cast<std::uint8_t>(x ^ y);
            }
        }
        // 50 finished measurements, every kind, spread over the picture.
        bench::AddMeasurements(overlay.chain, 50, {10, 60, 60, 115, 190}, bench::kSmallFigure, 7);
        working.kind = MeasureKind::Aria;
        working.pointCount = 3;
        const DPOINT w[] = {{300, 300}, {500, 320}, {450, 500}};
        working.points.Write(0, w, 3);
        overlay.ShowScaleBar();
        OverlayInputs& in = overlay.in;
        in.working = &working;
        in.hasCursor = true;
        in.cursor.at = {640, 512};
        in.crossCursor = true;
        in.crossCursorAt = {640, 512};
    }
};

ViewMapping View(int index) {
    ViewMapping v;
    v.m_Bai = index;
    if (index > 0) {
        v.m_Bai_X = -140;
        v.m_Bai_Y = -112;
    }
    return v;
}

// Argument: magnification index (1 = x1, 6 = x2, 0 = fit).
void ComposePaint(benchmark::State& state) {
    bench::EnsureGui();
    static Scene scene;
    const ViewMapping view = View(static_cast<int>(state.range(0)));
    const ViewGeometry g{{0, 0, kAreaWidth, kAreaHeight}, kImageWidth, kImageHeight};
    QImage buffer;
    OverlayList scratch;
    for (auto _ : state) {
        ComposePictureArea(buffer, scene.picture, nullptr, view, g, scene.overlay.in, scratch);
        benchmark::DoNotOptimize(buffer.constBits());
    }
    state.counters["items"] = static_cast<double>(scratch.items().size());
}

// The picture step alone, for the share of the overlay in a paint; the second argument
// pins the kernels to one level (0 baseline, 1 AVX2; skipped where the processor lacks it).
void PictureStep(benchmark::State& state) {
    static Scene scene;
    const ViewMapping view = View(static_cast<int>(state.range(0)));
    const auto level = static_cast<KernelLevel>(state.range(1));
    if (level == KernelLevel::Avx2 && AvailableKernelLevels().size() < 2) {
        state.SkipWithError("no AVX2 here");
        return;
    }
    const ScopedKernelLevel pinned(level);
    state.SetLabel(KernelLevelName(level));
    QImage area(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawPictureStep(area, scene.picture, view);
        benchmark::DoNotOptimize(area.constBits());
    }
}

// The same picture, already a QImage, drawn into the same area by QPainter alone.
void BareDrawImage(benchmark::State& state) {
    bench::EnsureGui();
    QImage picture(kImageWidth, kImageHeight, QImage::Format_RGB32);
    picture.fill(Qt::darkGray);
    QImage area(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
    const int index = static_cast<int>(state.range(0));
    const QRect source = index == 0   ? picture.rect()
                         : index == 1 ? QRect(140, 112, kAreaWidth, kAreaHeight)
                                      : QRect(140, 112, kAreaWidth / 2, kAreaHeight / 2);
    for (auto _ : state) {
        QPainter p(&area);
        p.drawImage(area.rect(), picture, source);
        p.end();
        benchmark::DoNotOptimize(area.constBits());
    }
}

BENCHMARK(ComposePaint)->Arg(1)->Arg(6)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(PictureStep)->Args({1, 0})->Args({1, 1})->Args({6, 0})->Args({6, 1})->Args({0, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BareDrawImage)->Arg(1)->Arg(6)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
