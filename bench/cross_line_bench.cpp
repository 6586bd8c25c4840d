// Twenty cross lines of size 10 at 50 % opacity drawn into a 1280 x 1024 off-screen
// picture, beside one bare drawImage of a picture of that size in the same run.
#include "bench_scene.h"
#include "view/cross_line_drawing.h"
#include "view/cross_line_model.h"
#include "view/overlay_list.h"
#include "view/overlay_painter.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;

CrossLineModel TwentyLines() {
    CrossLineModel model;
    CROSSLINE master;
    master.Pos_x = 100;
    master.Pos_y = 80;
    master.Size = 10;
    master.Draw = 50;
    model.list(CrossLineModel::kFirst).push_back(master);
    for (int i = 1; i < 20; ++i) {
        CROSSLINE slave = master;
        slave.Pos_x = 55 * i;
        slave.Pos_y = 45 * i;
        slave.Type = i % 2; // half of them dashed
        slave.Color = RGB(255, 20 * i, 0);
        model.list(CrossLineModel::kFirst).push_back(slave);
    }
    return model;
}

QImage Picture() {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            line[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    return picture;
}

void CrossLines20(benchmark::State& state) {
    bench::EnsureGui();
    const CrossLineModel model = TwentyLines();
    QImage area = Picture();
    OverlayMapping map;
    map.imageWidth = kWidth;
    map.imageHeight = kHeight;
    OverlayList list;
    const LOGFONT font{};
    for (auto _ : state) {
        list.clear();
        AppendCrossLines(list, map, model, nullptr);
        QPainter painter(&area);
        PaintOverlay(painter, list, font);
        painter.end();
        benchmark::DoNotOptimize(area.constBits());
    }
}

void BareDrawImage(benchmark::State& state) {
    bench::EnsureGui();
    const QImage picture = Picture();
    QImage area(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&area);
        painter.drawImage(0, 0, picture);
        painter.end();
        benchmark::DoNotOptimize(area.constBits());
    }
}

BENCHMARK(BareDrawImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(CrossLines20)->Unit(benchmark::kMicrosecond);

} // namespace
