#include "view/cross_line_model.h"

#include "model/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::int32_t ToInt32(long long v) {
    return static_cast<std::int32_t>(std::clamp<long long>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Toward zero, as the click and centre conversions want; non-numbers give 0.
long long Truncated(double v) {
    if (!std::isfinite(v))
        return 0;
    return static_cast<long long>(std::clamp(v, -9.0e15, 9.0e15));
}

} // namespace

DPOINT CrossLineAbsolute(const CrossLineList& list, std::size_t index) {
    if (index >= list.size())
        return {};
    const CROSSLINE& first = list.front();
    if (index == 0)
        return {static_cast<double>(first.Pos_x), static_cast<double>(first.Pos_y)};
    const CROSSLINE& e = list[index];
    return {static_cast<double>(first.Pos_x) + e.Pos_x, static_cast<double>(first.Pos_y) + e.Pos_y};
}

bool CrossLineShown(const CrossLineList& list, std::size_t index) {
    return index < list.size() && list.front().Show != 0 && list[index].Show != 0;
}

CROSSLINE CrossLineModel::DefaultMaster() {
    CROSSLINE m;
    m.Show = 0;
    m.Pos_x = 640;
    m.Pos_y = 480;
    m.Type = 0;
    m.Color = kCrossLineGreen;
    m.Size = 1;
    m.Draw = 100;
    return m;
}

void CrossLineModel::placeAt(int which, std::size_t index, long long x, long long y) {
    CrossLineList& l = list(which);
    if (index >= l.size())
        return;
    if (index == 0) {
        l[0].Pos_x = ToInt32(x);
        l[0].Pos_y = ToInt32(y);
        return;
    }
    l[index].Pos_x = ToInt32(x - l[0].Pos_x);
    l[index].Pos_y = ToInt32(y - l[0].Pos_y);
}

CircleClickResult ApplyCircleClick(CrossLineModel& model, const DPOINT& imagePoint,
                                   bool insidePicture,
                                   const std::function<DPOINT(const DPOINT&)>& snap) {
    CircleClickResult result;
    if (!insidePicture)
        return result;
    CrossLineList& l = model.list(CrossLineModel::kSecond);
    const auto it = std::find_if(l.begin(), l.end(),
                                 [](const CROSSLINE& e) { return e.Mode < kCircleDefined; });
    if (it == l.end())
        return result;
    CROSSLINE& e = *it;
    // A value read from a damaged file must not index outside the clicks.
    if (e.Mode < 0)
        e.Mode = 0;
    if (e.Mode == 0)
        e.points = {};
    const DPOINT p = snap ? snap(imagePoint) : imagePoint;
    e.points[static_cast<std::size_t>(e.Mode)] = {ToInt32(Truncated(p.x)), ToInt32(Truncated(p.y))};
    ++e.Mode;
    result.taken = true;
    result.completed = e.Mode >= kCircleDefined;

    const auto at = [&](int k) {
        return DPOINT{static_cast<double>(e.points[static_cast<std::size_t>(k)].x),
                      static_cast<double>(e.points[static_cast<std::size_t>(k)].y)};
    };
    Circle c;
    if (CircleFrom3Points(at(0), at(1), at(2), c)) {
        model.placeAt(CrossLineModel::kSecond, static_cast<std::size_t>(it - l.begin()),
                      Truncated(c.center.x), Truncated(c.center.y));
        e.Radius = static_cast<float>(c.radius);
        if (!std::isfinite(e.Radius))
            e.Radius = 0.0f;
    }
    return result;
}
