#include "view/constrain_to_step.h"

#include "model/geometry.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kDefaultStep = 45;

// Whole degrees toward zero of a direction already in [0, 360).
int WholeDegrees(double a) {
    const int d = static_cast<int>(a);
    return d < 0 ? 0 : (d > 359 ? 359 : d);
}

struct Turned {
    int theta; // the rounded direction of the pair, 0 ... 359
    double phi; // the direction the point is placed along, degrees
};

Turned TurnToStep(double direction, int step, StepVariant variant) {
    const int s = AngleStep(step);
    const int theta = NearestStepAngle(WholeDegrees(direction), s);
    return {theta, static_cast<double>(variant == StepVariant::Sui ? theta % 180 : theta)};
}

// Axis-parallel results get the partner's coordinate exactly, not cos(90) noise.
void KeepAxis(DPOINT& out, const DPOINT& origin, int theta) {
    if (theta == 0 || theta == 180)
        out.y = origin.y;
    else if (theta == 90 || theta == 270)
        out.x = origin.x;
}

double WholePixel(double v) { return std::trunc(v + 0.5); }

bool Finite(const DPOINT& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

} // namespace

int AngleStep(int configured) {
    return configured >= 1 && configured <= 359 ? configured : kDefaultStep;
}

int NearestStepAngle(int a, int step) {
    const int s = AngleStep(step);
    const int low = s * (a / s);
    if (std::abs(low - a) > std::abs(low + s - a))
        return (low + s) % 360;
    return low;
}

DPOINT ConstrainToStep(const DPOINT& p0, const DPOINT& p1, int step, StepVariant variant) {
    const Turned t = TurnToStep(DirectionAngle(p1, p0, AngleBaseLine::XPlus), step, variant);
    const double len = std::hypot(p1.x - p0.x, p1.y - p0.y);
    const double r = DegreesToRadians(t.phi);
    DPOINT out{p0.x + std::cos(r) * len, p0.y - std::sin(r) * len};
    KeepAxis(out, p0, t.theta);
    // Coordinates beyond any picture can overflow; the point then stays as drawn.
    return Finite(out) ? out : p1;
}

DPOINT EditConstrain(const DPOINT& p, const DPOINT& partner, bool first, int step, StepVariant variant) {
    const double direction = first ? DirectionAngle(partner, p, AngleBaseLine::XPlus)
                                   : DirectionAngle(p, partner, AngleBaseLine::XPlus);
    const Turned t = TurnToStep(direction, step, variant);
    const double len = std::hypot(p.x - partner.x, p.y - partner.y);
    const double r = DegreesToRadians(t.phi);
    const double sign = first ? -1.0 : 1.0;
    DPOINT out{partner.x + sign * std::cos(r) * len, partner.y - sign * std::sin(r) * len};
    KeepAxis(out, partner, t.theta);
    if (variant == StepVariant::Sui) {
        out.x = WholePixel(out.x);
        out.y = WholePixel(out.y);
    }
    return Finite(out) ? out : p;
}
