#pragma once
#include "model/dpoint.h"

// SHIFT held while a LINE or SUI is drawn or one of its points is dragged: the
// point moves onto the nearest multiple of the angle step as seen from its
// partner, keeping its distance.
enum class StepVariant {
    Line, // any multiple of the step, 0 ... 359
    Sui,  // the direction folded below 180: a base line is the same either way round
};

// The angle step in force: the configured one when it lies in 1 ... 359, else the
// default 45 (a hand-edited settings file must not divide by zero or snap nowhere).
int AngleStep(int configured);

// The multiple of `step` nearest to the whole degrees `a` (0 ... 359), ties going to
// the lower one, as 0 ... 359.
int NearestStepAngle(int a, int step);

// The end of a LINE or the second base point of a SUI placed with SHIFT: p1 turned
// about the fixed p0 onto the nearest multiple of the angle step (for SUI folded
// below 180, so it may land on the other side of p0), at the same distance. A
// direction of 0 or 180 gives exactly p0's y, 90 or 270 exactly p0's x.
DPOINT ConstrainToStep(const DPOINT& p0, const DPOINT& p1, int step, StepVariant variant);

// A point of a pair dragged with SHIFT: p turned about its fixed partner onto the
// nearest multiple of the step, the pair's own direction (first point -> second
// point) being the one rounded. `first` tells that p is the first point of its pair.
// The SUI variant rounds both coordinates to whole pixels.
DPOINT EditConstrain(const DPOINT& p, const DPOINT& partner, bool first, int step, StepVariant variant);
