#include "view/measure_figure.h"

#include "model/geometry.h"
#include "model/label_anchor.h"
#include "model/line_clip.h"
#include "model/measure.h"
#include "model/result_text.h"
#include "view/overlay_list.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Labels of ARIA and SUI sit 20 picture pixels below their anchor.
constexpr int kLowLabel = 20;
constexpr int kMarkerReach = 3;

struct Figure {
    OverlayList& out;
    MEASURE& m;
    const OverlayMapping& map;
    COLORREF line;
    COLORREF text;
    int width;

    DPOINT exact(const DPOINT& p) const { return map.mapExact(p); }
    OverlayPoint at(const DPOINT& p) const { return map.map(p); }

    void segment(const DPOINT& a, const DPOINT& b) const { out.line(line, width, exact(a), exact(b)); }

    void marker(const DPOINT& p) const {
        const OverlayPoint c = at(p);
        out.line(line, width, OverlayPoint{c.x - kMarkerReach, c.y}, OverlayPoint{c.x + kMarkerReach, c.y});
        out.line(line, width, OverlayPoint{c.x, c.y - kMarkerReach}, OverlayPoint{c.x, c.y + kMarkerReach});
    }

    void circle(const DPOINT& centre, double radius) const {
        if (!std::isfinite(radius) || !std::isfinite(centre.x) || !std::isfinite(centre.y))
            return;
        const OverlayPoint c = at(centre);
        const long long rx = map.lengthX(radius);
        const long long ry = map.lengthY(radius);
        const auto clampInt = [](long long v) {
            return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30));
        };
        out.ellipse(line, width, IntRect{clampInt(c.x - rx), clampInt(c.y - ry), clampInt(c.x + rx),
                                         clampInt(c.y + ry)});
    }

    // The base line of SUI: the whole line through a and b across the picture.
    void baseLine(const DPOINT& a, const DPOINT& b) const {
        DPOINT from;
        DPOINT to;
        if (LineAcrossPicture(a, b, map.imageWidth, map.imageHeight, from, to))
            segment(from, to);
    }

    void polyline(int count, const DPOINT* tail, bool closed) const {
        std::vector<OverlayPoint> pts;
        pts.reserve(static_cast<std::size_t>(count) + 1);
        for (int i = 0; i < count; ++i)
            pts.push_back(at(m.points[i]));
        if (tail)
            pts.push_back(at(*tail));
        if (closed)
            out.polygon(line, width, std::move(pts));
        else
            out.polyline(line, width, std::move(pts));
    }

    void label(int slot, double value, ResultQuantity quantity) const {
        std::string s = ResultLabelText(value, quantity, m.unit);
        OverlayPoint p = at(LabelAnchor(m, slot));
        const int tool = MeasureTool(m.kind);
        if (tool == MeasureKind::Aria || tool == MeasureKind::Sui)
            p.y += kLowLabel;
        m.labelText[static_cast<std::size_t>(slot)] = s;
        out.text(text, p, std::move(s));
    }
};

void Finished(const Figure& f, const MeasureStyle& style, int n) {
    MEASURE& m = f.m;
    const auto& v = m.value;
    switch (-m.kind) {
    case MeasureKind::Line:
        if (n < 2)
            return;
        f.segment(m.points[0], m.points[1]);
        f.label(0, v[0], ResultQuantity::Length);
        if (style.showAngle)
            f.label(1, v[1], ResultQuantity::Angle);
        break;
    case MeasureKind::Aria:
        f.polyline(n, nullptr, true);
        f.label(0, v[0], ResultQuantity::Area);
        break;
    case MeasureKind::Circle:
        f.circle(m.center[0], m.radius[0]);
        f.marker(m.center[0]);
        f.label(0, v[0], ResultQuantity::Length);
        break;
    case MeasureKind::Circle2:
        f.circle(m.center[0], m.radius[0]);
        f.circle(m.center[1], m.radius[1]);
        f.segment(m.center[0], m.center[1]);
        f.label(0, v[0], ResultQuantity::Length);
        f.label(1, v[1], ResultQuantity::Length);
        f.label(2, v[2], ResultQuantity::Length);
        if (style.showAngle)
            f.label(3, v[3], ResultQuantity::Angle);
        break;
    case MeasureKind::Sui: {
        if (n < 3)
            return;
        // The foot follows the points on every paint; the label anchor uses it.
        const LineCoeffs c = LineCoefficients(m.points[0], m.points[1]);
        const DPOINT foot = PerpendicularFoot(m.points[2], c.slope, c.intercept);
        if (!m.points.Write(3, &foot, 1))
            return;
        f.baseLine(m.points[0], m.points[1]);
        f.segment(m.points[2], m.points[3]);
        // The base points: dots five pens wide, in the line colour even when selected.
        const int dot = OverlayPenWidth(5LL * f.width);
        f.out.dot(style.line, dot, f.at(m.points[0]));
        f.out.dot(style.line, dot, f.at(m.points[1]));
        f.label(0, v[0], ResultQuantity::Length);
        break;
    }
    case MeasureKind::Angle:
        f.polyline(std::min(n, 3), nullptr, false);
        f.label(0, v[0], ResultQuantity::Angle);
        break;
    default:
        break;
    }
}

// Circle through `count` points of pts (2 or 3), the third being the cursor when only
// two are placed; with its centre marker.
void CircleInProgress(const Figure& f, const DPOINT* pts, int count, const DPOINT* cursor) {
    if (count < 2 || (count == 2 && !cursor))
        return;
    const DPOINT third = count >= 3 ? pts[2] : *cursor;
    Circle c;
    if (!CircleFrom3Points(pts[0], pts[1], third, c))
        return;
    f.circle(c.center, c.radius);
    f.marker(c.center);
}

void InProgress(const Figure& f, const MeasureStyle& style, int n, const FigureCursor* cursor) {
    MEASURE& m = f.m;
    const DPOINT* c = cursor ? &cursor->at : nullptr;
    const auto constrained = [&](bool sui) {
        if (cursor->constrain)
            return cursor->constrain(m.points[0], cursor->at, sui);
        return cursor->at;
    };
    switch (m.kind) {
    case MeasureKind::Line: {
        if (!c)
            return;
        const DPOINT end = constrained(false);
        f.segment(m.points[0], end);
        if (style.showAngle) {
            const double angle = DirectionAngle(end, m.points[0], style.angleBaseLine);
            f.label(1, angle, ResultQuantity::Angle);
        }
        break;
    }
    case MeasureKind::Aria:
    case MeasureKind::Angle:
        f.polyline(n, c, false);
        break;
    case MeasureKind::Circle:
        CircleInProgress(f, &m.points[0], std::min(n, 3), c);
        for (int i = 0; i < n; ++i)
            f.marker(m.points[i]);
        break;
    case MeasureKind::Circle2: {
        const int defining = n < 3 ? 0 : 1;
        for (int k = 0; k < 2; ++k) {
            const int count = std::clamp(n - 3 * k, 0, 3);
            if (count > 0)
                CircleInProgress(f, &m.points[3 * k], count, c);
        }
        for (int i = 3 * defining; i < std::min(n, 3 * defining + 3); ++i)
            f.marker(m.points[i]);
        break;
    }
    case MeasureKind::Sui:
        if (n >= 2)
            f.baseLine(m.points[0], m.points[1]);
        else if (c)
            f.baseLine(m.points[0], constrained(true));
        break;
    default:
        break;
    }
}

} // namespace

void AppendMeasureFigure(OverlayList& out, MEASURE& m, const OverlayMapping& map,
                         const MeasureStyle& style, const FigureCursor* cursor) {
    const int n = PointsPresent(m);
    if (m.kind == 0 || m.pointCount == 0 || n == 0 || MeasureTool(m.kind) == 0)
        return;
    const bool selected = m.kind < 0 && m.selected != 0;
    const Figure f{out,
                   m,
                   map,
                   selected ? InvertedColour(style.line) : style.line,
                   selected ? InvertedColour(style.text) : style.text,
                   OverlayPenWidth(style.lineWidth)};
    if (m.kind < 0)
        Finished(f, style, n);
    else
        InProgress(f, style, n, cursor);
}

bool LineAcrossPicture(const DPOINT& a, const DPOINT& b, int width, int height, DPOINT& from,
                       DPOINT& to) {
    const double w = width;
    const double h = height;
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return false;
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    if (dx == 0.0 && dy == 0.0)
        dy = 1.0; // coinciding points count as a vertical line
    // Parametric line a + t (dx, dy), t unbounded, cut to the picture.
    double t0 = -INFINITY;
    double t1 = INFINITY;
    if (!ClipLine(a, dx, dy, {0.0, 0.0, w, h}, t0, t1) || !std::isfinite(t0) || !std::isfinite(t1))
        return false;
    from = {a.x + t0 * dx, a.y + t0 * dy};
    to = {a.x + t1 * dx, a.y + t1 * dy};
    return true;
}
