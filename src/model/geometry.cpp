#include "model/geometry.h"

#include <cmath>

namespace {

bool Finite(const DPOINT& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

double BaseLineOffset(int baseLine) {
    switch (baseLine) {
    case AngleBaseLine::YPlus: return 270.0;
    case AngleBaseLine::XMinus: return 180.0;
    case AngleBaseLine::YMinus: return 90.0;
    default: return 0.0;
    }
}

// Screen angle of a ray from the vertex, folded to (0, 360].
double FoldedRayAngle(const DPOINT& p, const DPOINT& vertex) {
    const double g = RadiansToDegrees(std::atan2(p.y - vertex.y, vertex.x - p.x));
    return g >= 0.0 ? 360.0 - g : -g;
}

} // namespace

double DirectionAngle(const DPOINT& target, const DPOINT& origin, int baseLine) {
    // Coinciding points would make the slope 0/0; there is no direction to show,
    // and a NaN must never reach a record, a label or a file.
    if (!Finite(target) || !Finite(origin) || (target.x == origin.x && target.y == origin.y))
        return 0.0;

    // A vertical line divides by zero and gets +-infinity, which atan maps to +-90.
    const double t = (target.y - origin.y) / (origin.x - target.x);
    double g = RadiansToDegrees(std::atan(t));

    if (target.x >= origin.x && origin.y >= target.y) {
        // first quadrant: as it is
    } else if (origin.x > target.x) {
        g += 180.0;
    } else if (origin.x == target.x && target.y > origin.y) {
        g += 180.0;
    } else if (origin.x < target.x && target.y > origin.y) {
        g += 360.0;
    }
    g = std::fabs(g);

    g += BaseLineOffset(baseLine);
    while (g >= 360.0)
        g -= 360.0;
    // Differences of huge coordinates can overflow to infinity/infinity.
    return std::isfinite(g) ? g : 0.0;
}

double VertexAngle(const DPOINT& p0, const DPOINT& vertex, const DPOINT& p2) {
    if (!Finite(p0) || !Finite(vertex) || !Finite(p2))
        return 0.0;
    const double g = FoldedRayAngle(p0, vertex);
    const double h = FoldedRayAngle(p2, vertex);
    const double d = std::fabs(g - h);
    const double a = d > 180.0 ? 360.0 - d : d;
    return std::isfinite(a) ? a : 0.0;
}

bool CircleFrom3Points(const DPOINT& p1, const DPOINT& p2, const DPOINT& p3, Circle& out) {
    const double x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y, x3 = p3.x, y3 = p3.y;
    const double T = x1 * x1 - x2 * x2 + y1 * y1 - y2 * y2;
    const double R = x1 * x1 - x3 * x3 + y1 * y1 - y3 * y3;
    const double L = 2.0 * ((y1 - y3) * (x1 - x2) - (y1 - y2) * (x1 - x3));
    const double H = 2.0 * ((y1 - y2) * (x1 - x3) - (y1 - y3) * (x1 - x2));

    Circle c;
    if (L == 0.0 || H == 0.0) {
        c.center = DPOINT{0.0, 0.0};
        c.radius = std::sqrt(x1 * x1 + y1 * y1);
    } else {
        c.center.x = -((y1 - y2) * R - (y1 - y3) * T) / L;
        c.center.y = -((x1 - x2) * R - (x1 - x3) * T) / H;
        const double cx = c.center.x, cy = c.center.y;
        const double K = 2.0 * x1 * cx + 2.0 * y1 * cy - x1 * x1 - y1 * y1;
        // Rounding can leave nothing under the root for tiny circles far from the
        // origin. Centre and radius are then both left as they were, so a record
        // never pairs a new centre with an old radius.
        if (!(K < cx * cx + cy * cy))
            return false;
        c.radius = std::sqrt(cx * cx + cy * cy - K);
    }
    if (!Finite(c.center) || !std::isfinite(c.radius))
        return false;
    out = c;
    return true;
}

LineCoeffs LineCoefficients(const DPOINT& p0, const DPOINT& p1) {
    LineCoeffs c;
    if (p0.x == p1.x) {
        c.slope = c.perpSlope = kVerticalSlope;
        c.intercept = p0.x;
    } else if (p0.y == p1.y) {
        c.slope = c.perpSlope = kHorizontalSlope;
        c.intercept = p0.y;
    } else {
        c.slope = (p0.y - p1.y) / (p0.x - p1.x);
        c.intercept = p0.y - c.slope * p0.x;
        c.perpSlope = (p1.x - p0.x) / (p0.y - p1.y);
    }
    return c;
}

DPOINT PerpendicularFoot(const DPOINT& p, double m, double k) {
    if (m == kVerticalSlope)
        return DPOINT{k, p.y};
    if (m == kHorizontalSlope)
        return DPOINT{p.x, k};
    // A slope of 0 (a tiny slope that underflowed) is a horizontal line; the
    // foot is on it, not at the point's own height.
    if (m == 0.0)
        return DPOINT{p.x, k};
    DPOINT f;
    f.x = (p.y * m + p.x - m * k) / (m * m + 1.0);
    f.y = (p.x - f.x) / m + p.y;
    return f;
}
