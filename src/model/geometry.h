#pragma once
#include "model/dpoint.h"

// Geometry shared by the tools, editing and the overlay. All coordinates are
// image pixels (y downward). The truncated values of pi below are part of the
// program's results (a vertical direction reads 90.0000001, not 90) and must
// stay exactly as written.

// Radians to degrees: divide by this, multiply by 360.
inline constexpr double kTwoPi = 6.2831853;
// Degrees to radians: multiply by this, divide by 180.
inline constexpr double kPi = 3.1415926535;

// Slope markers returned by LineCoefficients.
inline constexpr double kVerticalSlope = 9999.9;
inline constexpr double kHorizontalSlope = 9998.9;

inline double RadiansToDegrees(double radians) { return radians / kTwoPi * 360.0; }
inline double DegreesToRadians(double degrees) { return degrees * kPi / 180.0; }

// Angle base-line setting: the axis from which directions are counted.
namespace AngleBaseLine {
constexpr int XPlus = 0;
constexpr int YPlus = 1;
constexpr int XMinus = 2;
constexpr int YMinus = 3;
} // namespace AngleBaseLine

// Direction of origin -> target in degrees [0, 360), counter-clockwise on the
// screen (up is 90) from the base-line axis. An unknown base line counts from
// X-axis +. Coinciding points have no direction and give 0; so does any input
// that is not a finite number.
double DirectionAngle(const DPOINT& target, const DPOINT& origin, int baseLine);

// Angle at `vertex` between the rays to p0 and p2, degrees [0, 180]. A ray of
// length 0 counts as pointing along X-axis -; inputs that are not finite give 0.
double VertexAngle(const DPOINT& p0, const DPOINT& vertex, const DPOINT& p2);

struct Circle {
    DPOINT center;
    double radius = 0.0;
};

// Circle through three points. Collinear or coinciding points give the circle
// centred on the image origin through p1 (a defined result the overlay can
// draw). Returns false, writing nothing, when the radius cannot be computed or
// a result would not be a finite number.
bool CircleFrom3Points(const DPOINT& p1, const DPOINT& p2, const DPOINT& p3, Circle& out);

struct LineCoeffs {
    double slope = 0.0;     // kVerticalSlope / kHorizontalSlope for the axis-parallel cases
    double intercept = 0.0; // x of a vertical line, y of a horizontal one, else y at x = 0
    double perpSlope = 0.0; // slope of the perpendicular, or the same marker
};

// Line through p0 and p1. Coinciding points count as a vertical line.
LineCoeffs LineCoefficients(const DPOINT& p0, const DPOINT& p1);

// Foot of the perpendicular from p onto the line given by LineCoefficients.
DPOINT PerpendicularFoot(const DPOINT& p, double slope, double intercept);
