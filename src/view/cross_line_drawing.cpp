#include "view/cross_line_drawing.h"

#include "model/geometry.h"
#include "view/cross_line_model.h"
#include "view/overlay_list.h"

#include <algorithm>
#include <cmath>

namespace {

// Far enough to reach past any surface; BlendBand cuts it to the one drawn on.
constexpr int kToTheEdge = 1 << 30;
constexpr int kMarkerReach = 3;

int OriginPixel(double v) {
    return static_cast<int>(std::clamp(v, -OverlayMapping::kLimit, OverlayMapping::kLimit));
}

int ClampedSize(int size) {
    return std::clamp(size, kCrossLineMinSize, kCrossLineMaxSize);
}

void Marker(OverlayList& out, const OverlayMapping& map, const CROSSLINE& e, const DPOINT& p) {
    const OverlayPoint c = map.map(p);
    const int w = ClampedSize(e.Size);
    out.line(e.Color, w, OverlayPoint{c.x - kMarkerReach, c.y},
             OverlayPoint{c.x + kMarkerReach, c.y});
    out.line(e.Color, w, OverlayPoint{c.x, c.y - kMarkerReach},
             OverlayPoint{c.x, c.y + kMarkerReach});
}

void CircleOutline(OverlayList& out, const OverlayMapping& map, const CROSSLINE& e,
                   const DPOINT& centre, double radius) {
    if (!std::isfinite(radius) || !std::isfinite(centre.x) || !std::isfinite(centre.y))
        return;
    const OverlayPoint c = map.map(centre);
    const long long rx = map.lengthX(radius);
    const long long ry = map.lengthY(radius);
    const auto clampInt = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30));
    };
    out.ellipse(
        e.Color, ClampedSize(e.Size),
        IntRect{clampInt(c.x - rx), clampInt(c.y - ry), clampInt(c.x + rx), clampInt(c.y + ry)});
}

DPOINT ClickAt(const CROSSLINE& e, int k) {
    const CROSSLINE::Click& c = e.points[static_cast<std::size_t>(k)];
    return {static_cast<double>(c.x), static_cast<double>(c.y)};
}

void AppendSecondListEntry(OverlayList& out, const OverlayMapping& map, const CrossLineList& list,
                           std::size_t i, const DPOINT* cursor) {
    const CROSSLINE& e = list[i];
    if (e.Mode >= kCircleDefined) {
        const DPOINT at = CrossLineAbsolute(list, i);
        AppendCrossLine(out, map, e, map.map(at));
        CircleOutline(out, map, e, at, e.Radius);
        return;
    }
    const int clicks = std::max(0, e.Mode);
    for (int k = 0; k < clicks; ++k)
        Marker(out, map, e, ClickAt(e, k));
    Circle c;
    if (clicks == 2 && cursor && CircleFrom3Points(ClickAt(e, 0), ClickAt(e, 1), *cursor, c)) {
        CircleOutline(out, map, e, c.center, c.radius);
        AppendCrossLine(out, map, e, map.map(c.center));
    }
}

} // namespace

void AppendCrossLine(OverlayList& out, const OverlayMapping& map, const CROSSLINE& e,
                     OverlayPoint at) {
    const int size = ClampedSize(e.Size);
    const int left = OriginPixel(map.originX);
    const int top = OriginPixel(map.originY);
    const int row = CrossLineStart(at.y, size);
    const int column = CrossLineStart(at.x, size);
    const bool dashed = e.Type == 1;
    out.band(e.Color, e.Draw, IntRect{left, row, kToTheEdge, row + size},
             dashed ? BandDash::AlongX : BandDash::None, left);
    out.band(e.Color, e.Draw, IntRect{column, top, column + size, kToTheEdge},
             dashed ? BandDash::AlongY : BandDash::None, top);
}

void AppendCrossLines(OverlayList& out, const OverlayMapping& map, const CrossLineModel& model,
                      const DPOINT* cursor) {
    const CrossLineList& first = model.list(CrossLineModel::kFirst);
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (CrossLineShown(first, i))
            AppendCrossLine(out, map, first[i], map.map(CrossLineAbsolute(first, i)));
    }
    const CrossLineList& second = model.list(CrossLineModel::kSecond);
    for (std::size_t i = 0; i < second.size(); ++i) {
        if (CrossLineShown(second, i))
            AppendSecondListEntry(out, map, second, i, cursor);
    }
}
