#include "view/overlay_list.h"

#include "calib/view_mapping.h"
#include "model/line_clip.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

int ToPixel(double v) {
    if (!(v > -OverlayMapping::kLimit)) // NaN as well
        return static_cast<int>(-OverlayMapping::kLimit);
    if (v > OverlayMapping::kLimit)
        return static_cast<int>(OverlayMapping::kLimit);
    return static_cast<int>(v); // toward zero
}

// The part of the segment inside the square of +-kLimit; false when none.
bool ClipToLimit(DPOINT& a, DPOINT& b) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return false;
    const double lim = OverlayMapping::kLimit;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double t0 = 0.0;
    double t1 = 1.0;
    if (!ClipLine(a, dx, dy, {-lim, -lim, lim, lim}, t0, t1))
        return false;
    const DPOINT start{a.x + t0 * dx, a.y + t0 * dy};
    const DPOINT end{a.x + t1 * dx, a.y + t1 * dy};
    a = start;
    b = end;
    return true;
}

} // namespace

OverlayMapping OverlayMapping::ForView(const ViewMapping& view, const ViewGeometry& g) {
    OverlayMapping m;
    m.sx = view.scaleX(g);
    m.sy = view.scaleY(g);
    m.offX = view.fitted() ? 0.0 : view.m_Bai_X;
    m.offY = view.fitted() ? 0.0 : view.m_Bai_Y;
    m.imageWidth = g.imageWidth;
    m.imageHeight = g.imageHeight;
    return m;
}

OverlayPoint OverlayMapping::map(const DPOINT& p) const {
    const DPOINT e = mapExact(p);
    return {ToPixel(e.x), ToPixel(e.y)};
}

int OverlayMapping::lengthX(double r) const { return ToPixel(std::floor(r * sx)); }
int OverlayMapping::lengthY(double r) const { return ToPixel(std::floor(r * sy)); }

int OverlayPenWidth(long long width) {
    return static_cast<int>(std::clamp<long long>(width, 1, OverlayList::kMaxPenWidth));
}

void OverlayList::line(COLORREF colour, int width, const DPOINT& from, const DPOINT& to) {
    DPOINT a = from;
    DPOINT b = to;
    if (!ClipToLimit(a, b))
        return;
    line(colour, width, OverlayPoint{ToPixel(a.x), ToPixel(a.y)}, OverlayPoint{ToPixel(b.x), ToPixel(b.y)});
}

void OverlayList::line(COLORREF colour, int width, OverlayPoint from, OverlayPoint to) {
    OverlayItem item;
    item.type = OverlayItemType::Line;
    item.colour = colour;
    item.width = OverlayPenWidth(width);
    item.points = {from, to};
    m_items.push_back(std::move(item));
}

void OverlayList::polyline(COLORREF colour, int width, std::vector<OverlayPoint> points) {
    addPoints(OverlayItemType::Polyline, colour, width, std::move(points));
}

void OverlayList::polygon(COLORREF colour, int width, std::vector<OverlayPoint> points) {
    addPoints(OverlayItemType::Polygon, colour, width, std::move(points));
}

void OverlayList::addPoints(OverlayItemType type, COLORREF colour, int width,
                            std::vector<OverlayPoint> points) {
    if (points.size() < 2)
        return;
    OverlayItem item;
    item.type = type;
    item.colour = colour;
    item.width = OverlayPenWidth(width);
    item.points = std::move(points);
    m_items.push_back(std::move(item));
}

void OverlayList::ellipse(COLORREF colour, int width, const IntRect& bounds) {
    if (bounds.isEmpty())
        return;
    OverlayItem item;
    item.type = OverlayItemType::Ellipse;
    item.colour = colour;
    item.width = OverlayPenWidth(width);
    item.bounds = bounds;
    m_items.push_back(std::move(item));
}

void OverlayList::dot(COLORREF colour, int diameter, OverlayPoint centre) {
    OverlayItem item;
    item.type = OverlayItemType::Dot;
    item.colour = colour;
    item.width = OverlayPenWidth(diameter);
    item.points = {centre};
    m_items.push_back(std::move(item));
}

void OverlayList::text(COLORREF colour, OverlayPoint topLeft, std::string text) {
    if (text.empty())
        return;
    OverlayItem item;
    item.type = OverlayItemType::Text;
    item.colour = colour;
    item.points = {topLeft};
    item.text = std::move(text);
    m_items.push_back(std::move(item));
}

void OverlayList::band(COLORREF colour, int opacity, const IntRect& bounds, BandDash dash,
                       int dashOrigin) {
    if (bounds.isEmpty() || opacity <= 0)
        return;
    OverlayItem item;
    item.type = OverlayItemType::Band;
    item.colour = colour;
    item.bounds = bounds;
    item.opacity = opacity > 100 ? 100 : opacity;
    item.dash = dash;
    item.dashOrigin = dashOrigin;
    m_items.push_back(std::move(item));
}
