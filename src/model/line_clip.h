#pragma once
#include "model/dpoint.h"

// An axis-parallel box, edges included.
struct ClipBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// Liang-Barsky: narrows [t0, t1] to the part of the line a + t (dx, dy) that lies in
// the box. Start from [0, 1] for the segment a ... a + (dx, dy), from [-inf, inf] for
// the whole line. False when no part of it is in the box; t0 and t1 are then of no use.
bool ClipLine(const DPOINT& a, double dx, double dy, const ClipBox& box, double& t0, double& t1);
