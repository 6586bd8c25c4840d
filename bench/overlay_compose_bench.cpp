// One paint of the picture area: the picture step and every overlay layer composed
// off-screen, against a bare QPainter drawImage of the same picture into the same area.
#include "app/app_settings.h"
#include "calib/view_mapping.h"
#include "images/dib_image.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "view/overlay_composer.h"
#include "view/overlay_layers.h"
#include "view/overlay_list.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kImageWidth = 1280;
constexpr int kImageHeight = 1024;
constexpr int kAreaWidth = 1000;
constexpr int kAreaHeight = 800;

void EnsureGui() {
    static std::unique_ptr<QGuiApplication> app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "overlay_compose_bench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

struct Scene {
    CDibImage picture;
    CMeasureChain chain;
    MEASURE working;
    ColorSettings color;
    ScaleData bar;
    OverlayInputs in;

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
        for (int k = 0; k < 50; ++k) {
            MEASURE m;
            const int tool = 1 + k % 6;
            m.kind = -tool;
            m.unit = 1;
            const double x = 60 + (k % 10) * 115;
            const double y = 60 + (k / 10) * 190;
            const DPOINT pts[] = {{x, y}, {x + 80, y + 20}, {x + 30, y + 90},
                                  {x + 50, y + 10}, {x + 90, y + 60}, {x + 20, y + 70}};
            m.pointCount = tool == MeasureKind::Circle2 ? 6 : tool == MeasureKind::Line ? 2
                           : tool == MeasureKind::Aria  ? 5
                                                        : 3;
            m.points.Write(0, pts, m.pointCount);
            m.center = {DPOINT{x + 40, y + 40}, DPOINT{x + 70, y + 50}};
            m.radius = {35, 20};
            m.value = {12.345, 45.6, 3.21, 17.5, 0};
            m.selected = k % 7 == 0;
            chain.AddNode(&m);
        }
        working.kind = MeasureKind::Aria;
        working.pointCount = 3;
        const DPOINT w[] = {{300, 300}, {500, 320}, {450, 500}};
        working.points.Write(0, w, 3);
        bar.Visible = 1;
        bar.Type = 1;
        bar.unit = 1;
        bar.mpp = {0.05, 0.05};
        bar.Pos = {1100, 900};
        color.gridflg = 1;
        color.gridsize = 100;
        in.measurements = &chain;
        in.working = &working;
        in.color = &color;
        in.scaleBar = &bar;
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

// Argument: magnification index (6 = x2, 0 = fit).
void ComposePaint(benchmark::State& state) {
    EnsureGui();
    static Scene scene;
    const ViewMapping view = View(static_cast<int>(state.range(0)));
    const ViewGeometry g{{0, 0, kAreaWidth, kAreaHeight}, kImageWidth, kImageHeight};
    QImage buffer;
    OverlayList scratch;
    for (auto _ : state) {
        ComposePictureArea(buffer, scene.picture, nullptr, view, g, scene.in, scratch);
        benchmark::DoNotOptimize(buffer.constBits());
    }
    state.counters["items"] = static_cast<double>(scratch.items().size());
}

// The picture step alone, for the share of the overlay in a paint.
void PictureStep(benchmark::State& state) {
    static Scene scene;
    const ViewMapping view = View(static_cast<int>(state.range(0)));
    QImage area(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawPictureStep(area, scene.picture, view);
        benchmark::DoNotOptimize(area.constBits());
    }
}

// The same picture, already a QImage, drawn into the same area by QPainter alone.
void BareDrawImage(benchmark::State& state) {
    EnsureGui();
    QImage picture(kImageWidth, kImageHeight, QImage::Format_RGB32);
    picture.fill(Qt::darkGray);
    QImage area(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
    const bool fit = state.range(0) == 0;
    const QRect source = fit ? picture.rect() : QRect(140, 112, kAreaWidth / 2, kAreaHeight / 2);
    for (auto _ : state) {
        QPainter p(&area);
        p.drawImage(area.rect(), picture, source);
        p.end();
        benchmark::DoNotOptimize(area.constBits());
    }
}

BENCHMARK(ComposePaint)->Arg(6)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(PictureStep)->Arg(6)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BareDrawImage)->Arg(6)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
