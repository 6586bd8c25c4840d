#include "view/overlay_layers.h"

#include "settings/app_settings.h"
#include "calib/calibration.h"
#include "calib/scale_bar.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "view/overlay_list.h"

MeasureStyle MeasureStyleFrom(const ColorSettings& color) {
    MeasureStyle s;
    s.line = color.line;
    s.text = color.text;
    s.lineWidth = OverlayPenWidth(color.linesize);
    s.showAngle = color.showangle != 0;
    s.angleBaseLine = color.anglebaseline;
    return s;
}

void AppendScaleBar(OverlayList& out, const OverlayMapping& map, const ScaleData& bar,
                    const ColorSettings& color) {
    if (!bar.Visible)
        return;
    const auto shape = ScaleBarGeometry(bar);
    if (!shape)
        return;
    const int width = OverlayPenWidth(color.linesize);
    for (const ScaleBarSegment& s : shape->segments)
        out.line(color.line, width, map.mapExact(s.from), map.mapExact(s.to));
    out.text(color.text, map.map(shape->labelTopLeft), shape->label);
}

void AppendGrid(OverlayList& out, const OverlayMapping& map, const ColorSettings& color) {
    const long long size = color.gridsize;
    if (size < 1)
        return;
    const double w = map.imageWidth;
    const double h = map.imageHeight;
    for (long long k = 1; k <= map.imageWidth / size; ++k) {
        const double x = static_cast<double>(k * size);
        out.line(color.grid, 1, map.mapExact({x, 0}), map.mapExact({x, h}));
    }
    for (long long k = 1; k <= map.imageHeight / size; ++k) {
        const double y = static_cast<double>(k * size);
        out.line(color.grid, 1, map.mapExact({0, y}), map.mapExact({w, y}));
    }
}

void AppendCrosshair(OverlayList& out, const OverlayMapping& map, const DPOINT& at, COLORREF colour) {
    out.line(colour, 1, map.mapExact({at.x, 0}), map.mapExact({at.x, static_cast<double>(map.imageHeight)}));
    out.line(colour, 1, map.mapExact({0, at.y}), map.mapExact({static_cast<double>(map.imageWidth), at.y}));
}

void AppendFocusLine(OverlayList& out, const OverlayMapping& map, const ColorSettings& color) {
    const double y = color.focuspos;
    out.line(color.wave, OverlayPenWidth(color.wavesize), map.mapExact({0, y}),
             map.mapExact({static_cast<double>(map.imageWidth), y}));
}

void AppendOverlayLayers(OverlayList& out, const OverlayMapping& map, const OverlayInputs& in) {
    if (!in.color)
        return;
    const ColorSettings& color = *in.color;
    const MeasureStyle style = MeasureStyleFrom(color);
    if (in.measurements) {
        CMeasureChain& chain = *in.measurements;
        MEASURE* const keep = chain.current;
        if (chain.MoveFirst())
            for (MEASURE* m = chain.current; m; m = m->next)
                AppendMeasureFigure(out, *m, map, style);
        chain.current = keep;
    }
    if (in.scaleBar)
        AppendScaleBar(out, map, *in.scaleBar, color);
    if (in.crossLines)
        in.crossLines(out, map);
    if (color.focusflg)
        AppendFocusLine(out, map, color);
    if (in.focusAreas)
        in.focusAreas(out, map);
    if (color.gridflg)
        AppendGrid(out, map, color);
    if (in.crossCursor)
        AppendCrosshair(out, map, in.crossCursorAt, color.CursorCrosshairs.Color);
    if (in.working && in.working->kind >= MeasureKind::Line && in.working->kind <= MeasureKind::Angle &&
        in.working->pointCount >= 1)
        AppendMeasureFigure(out, *in.working, map, style, in.hasCursor ? &in.cursor : nullptr);
}

void AppendCalibrationOverlay(OverlayList& out, const OverlayMapping& map,
                              const CALIBRATION& calibration, const IntRect& calibSet,
                              COLORREF colour, int width) {
    width = OverlayPenWidth(width);
    const OverlayPoint a = map.map({static_cast<double>(calibSet.left), static_cast<double>(calibSet.top)});
    const OverlayPoint b = map.map({static_cast<double>(calibSet.right), static_cast<double>(calibSet.bottom)});
    out.polygon(colour, width, {a, {b.x, a.y}, b, {a.x, b.y}});

    const OverlayPoint lt = map.map({calibration.left, calibration.top});
    const OverlayPoint rb = map.map({calibration.right, calibration.bottom});
    const int l = lt.x;
    const int t = lt.y;
    const int r = rb.x;
    const int bo = rb.y;
    const int cx = l + (r - l) / 2;
    const int cy = t + (bo - t) / 2;
    out.line(colour, width, OverlayPoint{l, cy}, OverlayPoint{r, cy});
    out.line(colour, width, OverlayPoint{cx, t}, OverlayPoint{cx, bo});
    out.line(colour, width, OverlayPoint{cx - 10, t}, OverlayPoint{cx + 10, t});
    out.line(colour, width, OverlayPoint{cx - 10, bo}, OverlayPoint{cx + 10, bo});
    out.line(colour, width, OverlayPoint{l, cy - 10}, OverlayPoint{l, cy + 10});
    out.line(colour, width, OverlayPoint{r, cy - 10}, OverlayPoint{r, cy + 10});
}
