#include "calib/scale_bar.h"

#include "calib/calibration.h"
#include "platform/text_format.h"

#include <cmath>
#include <limits>

namespace {

// Beyond this a bar would reach far outside any picture, and its whole-pixel length
// would no longer fit the int arithmetic of the hit test.
constexpr double kMaxBarPixels = 1e7;
constexpr int kTick = 5;

bool UsableFactor(double mpp) { return std::isfinite(mpp) && mpp > 0.0; }

std::optional<double> BarLength(int size, double mpp) {
    if (!UsableFactor(mpp))
        return std::nullopt;
    const double len = size / mpp;
    if (!std::isfinite(len) || std::fabs(len) > kMaxBarPixels)
        return std::nullopt;
    return len;
}

bool HasBar(const ScaleData& bar, double& lenX, double& lenY) {
    const auto x = BarLength(bar.Size.cx, bar.mpp.x);
    const auto y = BarLength(bar.Size.cy, bar.mpp.y);
    if (!x || !y)
        return false;
    lenX = *x;
    lenY = *y;
    return true;
}

int SaturatedInt(double v) {
    if (!(v > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (!(v < std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

} // namespace

std::optional<ScaleBarShape> ScaleBarGeometry(const ScaleData& bar) {
    ScaleBarShape s;
    if (!HasBar(bar, s.lenX, s.lenY))
        return std::nullopt;
    const double px = bar.Pos.x;
    const double py = bar.Pos.y;
    const double left = px - s.lenX;
    s.segments.push_back({{px, py}, {left, py}});
    s.segments.push_back({{left, py - kTick}, {left, py + kTick}});
    if (bar.Type != 1)
        s.segments.push_back({{px, py - kTick}, {px, py + kTick}});
    s.labelTopLeft = {px - s.lenX * 0.5 - 30, py + 15};
    s.label = StrFormat("%.2f%s", static_cast<double>(bar.Size.cx), UnitText(bar.unit));
    if (bar.Type == 1) {
        const double top = py - s.lenY;
        s.segments.push_back({{px, py}, {px, top}});
        s.segments.push_back({{px - kTick, top}, {px + kTick, top}});
    }
    return s;
}

namespace {

// 1 on the X bar, 2 on the Y bar, 0 elsewhere.
int HitPart(const ScaleData& bar, const DPOINT& p) {
    double lenX = 0;
    double lenY = 0;
    if (!bar.Visible || !HasBar(bar, lenX, lenY))
        return 0;
    const double px = bar.Pos.x;
    const double py = bar.Pos.y;
    if (px - std::floor(lenX) < p.x && p.x < px && py - kTick < p.y && p.y < py + kTick)
        return 1;
    if (bar.Type == 1 && px - kTick < p.x && p.x < px + kTick && py - std::floor(lenY) < p.y &&
        p.y < py)
        return 2;
    return 0;
}

} // namespace

bool ScaleBarHit(const ScaleData& bar, const DPOINT& p) { return HitPart(bar, p) != 0; }

bool ScaleBarGrab(ScaleData& bar, const DPOINT& p) {
    const int part = HitPart(bar, p);
    if (part == 0)
        return false;
    bar.dragging = 1;
    bar.dragDx = part == 1 ? SaturatedInt(std::floor(p.x) - bar.Pos.x) : 0;
    bar.dragDy = part == 2 ? SaturatedInt(std::floor(p.y) - bar.Pos.y) : 0;
    return true;
}

bool ScaleBarDrag(ScaleData& bar, const DPOINT& p) {
    if (!bar.dragging)
        return false;
    bar.Pos.x = SaturatedInt(std::floor(p.x) - bar.dragDx);
    bar.Pos.y = SaturatedInt(std::floor(p.y) - bar.dragDy);
    return true;
}

void ScaleBarRelease(ScaleData& bar) { bar.dragging = 0; }

std::optional<IntPoint> ScaleBarPresetPosition(int row, int x, int y, const DoublePair& mpp,
                                               int width, int height) {
    const auto pixels = [](int size, double factor) {
        return UsableFactor(factor) ? SaturatedInt(std::floor(size / factor)) : 0;
    };
    const int left = SaturatedInt(static_cast<double>(pixels(x, mpp.x)) + 50);
    const int top = SaturatedInt(static_cast<double>(pixels(y, mpp.y)) + 50);
    switch (row) {
    case 0: return IntPoint{left, top};
    case 1: return IntPoint{left, height - 50};
    case 2: return IntPoint{width - 50, top};
    case 3: return IntPoint{width - 50, height - 50};
    case 4: return IntPoint{width / 2, height / 2};
    default: return std::nullopt;
    }
}
