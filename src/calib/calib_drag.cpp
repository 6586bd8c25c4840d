#include "calib/calib_drag.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// t - 10 < v <= t + 10
bool Near(double v, double t) { return t - kCalibGrab < v && v <= t + kCalibGrab; }

// Whole pixels toward zero, kept within int for any double the mouse may give.
int Whole(double v) {
    if (!(v == v))
        return 0;
    const double lo = std::numeric_limits<int>::min();
    const double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(v), lo, hi));
}

bool NearCorner(int x, int y, int cx, int cy) {
    return std::abs(static_cast<long long>(x) - cx) < kCalibGrab && std::abs(static_cast<long long>(y) - cy) < kCalibGrab;
}

// An end moved by `d` toward the inside shrinks its bar by 2 d. Once the bar is
// at the limit or shorter an inward step is refused; a long step is cut so the
// bar ends at the limit instead of collapsing or turning inside out.
bool InwardStep(double span, double& d) {
    if (span <= kCalibMinBar)
        return d < 0;
    if (d > 0)
        d = std::min(d, (span - kCalibMinBar) * 0.5);
    return true;
}

} // namespace

CalibDragCursor CalibDragBegin(CALIBRATION& c, const IntRect& calibSet, int& calibCorner, DPOINT mouse) {
    const double x = mouse.x;
    const double y = mouse.y;
    const double cx = c.left + (c.right - c.left) * 0.5;
    const double cy = c.top + (c.bottom - c.top) * 0.5;
    // A press starts afresh, whatever an earlier drag left behind.
    c.dragMode = 0;
    calibCorner = 0;
    CalibDragMode mode = CalibDragMode::None;
    // Later tests win over earlier ones.
    if (Near(x, cx)) {
        if (Near(y, cy))
            mode = CalibDragMode::Cross;
        else if (Near(y, c.top))
            mode = CalibDragMode::Top;
        else if (Near(y, c.bottom))
            mode = CalibDragMode::Bottom;
    }
    if (Near(y, cy)) {
        if (Near(x, c.left))
            mode = CalibDragMode::Left;
        else if (Near(x, c.right))
            mode = CalibDragMode::Right;
    }
    if (mode != CalibDragMode::None) {
        c.dragMode = static_cast<int>(mode);
        c.dragLast = {x, y};
        return CalibDragCursorFor(c, calibCorner);
    }
    const int ix = Whole(x);
    const int iy = Whole(y);
    const int corners[4][2] = {{calibSet.left, calibSet.top},
                               {calibSet.right, calibSet.top},
                               {calibSet.left, calibSet.bottom},
                               {calibSet.right, calibSet.bottom}};
    for (int i = 0; i < 4; ++i) {
        if (NearCorner(ix, iy, corners[i][0], corners[i][1])) {
            calibCorner = i + 1;
            return CalibDragCursor::SizeAll;
        }
    }
    return CalibDragCursor::None;
}

CalibDragStep CalibDragMove(CALIBRATION& c, IntRect& calibSet, int& calibCorner, DPOINT mouse, bool insideImage) {
    CalibDragStep step;
    if (c.dragMode == 0 && calibCorner == 0)
        return step;
    if (!insideImage) {
        c.dragMode = 0;
        calibCorner = 0;
        step.released = true;
        return step;
    }
    if (calibCorner != 0) {
        const int ix = Whole(mouse.x);
        const int iy = Whole(mouse.y);
        switch (calibCorner) {
        case 1: calibSet.left = ix; calibSet.top = iy; break;
        case 2: calibSet.right = ix; calibSet.top = iy; break;
        case 3: calibSet.left = ix; calibSet.bottom = iy; break;
        case 4: calibSet.right = ix; calibSet.bottom = iy; break;
        default: calibCorner = 0; return step;
        }
        step.moved = true;
        return step;
    }
    double dx = mouse.x - c.dragLast.x;
    double dy = mouse.y - c.dragLast.y;
    switch (static_cast<CalibDragMode>(c.dragMode)) {
    case CalibDragMode::Cross:
        c.left += dx;
        c.right += dx;
        c.top += dy;
        c.bottom += dy;
        break;
    case CalibDragMode::Top:
        if (!InwardStep(c.bottom - c.top, dy))
            return step;
        c.top += dy;
        c.bottom -= dy;
        break;
    case CalibDragMode::Bottom:
        dy = -dy;
        if (!InwardStep(c.bottom - c.top, dy))
            return step;
        c.top += dy;
        c.bottom -= dy;
        break;
    case CalibDragMode::Left:
        if (!InwardStep(c.right - c.left, dx))
            return step;
        c.left += dx;
        c.right -= dx;
        break;
    case CalibDragMode::Right:
        dx = -dx;
        if (!InwardStep(c.right - c.left, dx))
            return step;
        c.left += dx;
        c.right -= dx;
        break;
    default:
        c.dragMode = 0;
        return step;
    }
    c.dragLast = {mouse.x, mouse.y};
    step.moved = true;
    step.displayChanged = c.dragMode != static_cast<int>(CalibDragMode::Cross);
    return step;
}

void CalibDragEnd(CALIBRATION& c, int& calibCorner) {
    calibCorner = 0;
    c.dragMode = 0;
}

CalibDragCursor CalibDragCursorFor(const CALIBRATION& c, int calibCorner) {
    switch (static_cast<CalibDragMode>(c.dragMode)) {
    case CalibDragMode::Cross: return CalibDragCursor::SizeAll;
    case CalibDragMode::Top:
    case CalibDragMode::Bottom: return CalibDragCursor::SizeVertical;
    case CalibDragMode::Left:
    case CalibDragMode::Right: return CalibDragCursor::SizeHorizontal;
    default: break;
    }
    return calibCorner != 0 ? CalibDragCursor::SizeAll : CalibDragCursor::None;
}
