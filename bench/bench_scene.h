// What the painting and saving benchmarks draw on: the application object Qt's fonts need,
// and an overlay of finished measurements of every kind with the grid and the scale bar.
// One place for it keeps the figures of the benchmarks comparable with each other.
#pragma once

#include "settings/app_settings.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "view/overlay_layers.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace bench {

// Labels are measured and drawn with Qt's fonts, which want an application object.
inline void EnsureGui() {
    static std::unique_ptr<QGuiApplication> app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "mirelta_bench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

// One measured figure as offsets from its corner: the points (a line takes the first two,
// two circles all six, an area `areaPoints`, the others three), the circle centres and radii.
struct FigureShape {
    DPOINT points[6];
    DPOINT centers[2];
    double radii[2];
    int areaPoints;
};

// About 90 pixels across, as on a live picture.
inline constexpr FigureShape kSmallFigure{
    {{0, 0}, {80, 20}, {30, 90}, {50, 10}, {90, 60}, {20, 70}}, {{40, 40}, {70, 50}}, {35, 20}, 5};
// About 140 pixels across, as on a saved picture.
inline constexpr FigureShape kLargeFigure{
    {{0, 0}, {120, 30}, {40, 130}, {70, 15}, {140, 90}, {30, 100}},
    {{60, 60}, {100, 70}},
    {50, 30},
    3};

// The corners of the figures: row by row from (left, top), `columns` to a row.
struct FigureGrid {
    int columns;
    double left, top;
    double stepX, stepY;
};

// Adds `count` finished measurements, tools 1 ... 6 in turn, every `selectEvery`-th one
// selected (0: none), all with the same values in millimetres.
inline void AddMeasurements(CMeasureChain& chain, int count, const FigureGrid& grid,
                            const FigureShape& shape, int selectEvery = 0) {
    for (int k = 0; k < count; ++k) {
        MEASURE m;
        const int tool = 1 + k % 6;
        m.kind = -tool;
        m.unit = 1;
        const double x = grid.left + (k % grid.columns) * grid.stepX;
        const double y = grid.top + (k / grid.columns) * grid.stepY;
        DPOINT pts[6];
        for (int i = 0; i < 6; ++i)
            pts[i] = {x + shape.points[i].x, y + shape.points[i].y};
        m.pointCount = tool == MeasureKind::Circle2 ? 6
                       : tool == MeasureKind::Line  ? 2
                       : tool == MeasureKind::Aria  ? shape.areaPoints
                                                    : 3;
        m.points.Write(0, pts, m.pointCount);
        m.center = {DPOINT{x + shape.centers[0].x, y + shape.centers[0].y},
                    DPOINT{x + shape.centers[1].x, y + shape.centers[1].y}};
        m.radius = {shape.radii[0], shape.radii[1]};
        m.value = {12.345, 45.6, 3.21, 17.5, 0};
        m.selected = selectEvery > 0 && k % selectEvery == 0;
        chain.AddNode(&m);
    }
}

// The overlay inputs over a chain of measurements, with a grid line every 100 pixels and
// the scale bar hidden until ShowScaleBar.
struct Overlay {
    CMeasureChain chain;
    ColorSettings color;
    ScaleData bar;
    OverlayInputs in;

    Overlay() {
        color.gridflg = 1;
        color.gridsize = 100;
        in.measurements = &chain;
        in.color = &color;
        in.scaleBar = &bar;
    }
    // `in` points into this object.
    Overlay(const Overlay&) = delete;
    Overlay& operator=(const Overlay&) = delete;

    // The X-Y bar in millimetres at 0.05 mm a pixel, its right end at (1100, 900).
    void ShowScaleBar() {
        bar.Visible = 1;
        bar.Type = 1;
        bar.unit = 1;
        bar.mpp = {0.05, 0.05};
        bar.Pos = {1100, 900};
    }
};

} // namespace bench
