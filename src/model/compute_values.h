#pragma once
#include "model/dpoint.h"

struct CALIBRATION;
struct MEASURE;
class CDibImage;

// Calibrated distance of two points: x difference scaled by mpp.x, y by mpp.y.
double CalibratedLength(const DPOINT& a, const DPOINT& b, const CALIBRATION& calibration);
// Diameter of a circle of radius r pixels: the radius scaled by the mean of the two factors, doubled.
double CalibratedDiameter(double r, const CALIBRATION& calibration);

// Computes the result values of a record (kind of either sign) from its points
// with the given calibration, angle base line and picture (for the polygon
// area's canvas size):
//   LINE    value[0] length, value[1] direction P0 -> P1
//   ARIA    value[0] = value[1] = area; kept as they were when the polygon cannot be counted
//   CIRCLE  center[0], radius[0] through P0..P2; value[0] diameter
//   CIRCLE2 circles through P0..P2 and P3..P5; value[0], value[1] diameters,
//           value[2] centre distance, value[3] direction centre A -> centre B
//   SUI     value[0] perpendicular distance of P2 from the line P0 P1; the foot
//           is written after the points (element 3), growing the array if needed
//   ANGLE   value[0] angle at P1
// `unit` becomes the calibration's unit. Returns 1 when the values were
// computed. Returns 0 and leaves the record unchanged when it is no
// measurement or holds fewer points than its kind needs (pointCount beyond the
// array counts as too few). An ARIA whose polygon cannot be counted (fewer
// than two vertices, no picture, unusable coordinates) returns 0 and keeps its
// area together with the unit of that area, so a value is never labelled with
// a unit it was not computed in; an area still 0 takes the calibration's unit.
// A circle whose radius cannot be computed keeps its centre and radius; its
// diameter is then taken from the kept radius.
int ComputeValues(MEASURE& m, const CALIBRATION& calibration, int baseLine, const CDibImage& picture);

// Rewrites the calibration-dependent values after another calibration was
// chosen: diameters from the stored radii (so a radius dragged on the
// circumference survives), the CIRCLE2 distance from the stored centres,
// LINE and SUI lengths from the points, ARIA counted again; angles stay.
// Same return value and failure rules as ComputeValues.
int RecomputeForCalibration(MEASURE& m, const CALIBRATION& calibration, const CDibImage& picture);
