#pragma once
#include "model/dpoint.h"

struct MEASURE;

// Where label slot 0...4 of a record is drawn, in image pixels: a base point by
// kind plus the slot's dragged offset.
//   LINE    slot 0 the middle of the line, slot 1 P0
//   ARIA    the mean of the vertices
//   CIRCLE  the centre
//   CIRCLE2 slot 0 centre A, slot 1 centre B, slot 2 midway between them,
//           slot 3 centre A 20 pixels lower
//   SUI     midway between the measured point P2 and the foot P3
//   ANGLE   the mean of the three points
// A slot the kind does not use gets the base point of slot 0; a slot outside
// 0...4 gets no offset. A point the record does not hold reads as (0, 0), so a
// malformed record never reads outside its array.
DPOINT LabelAnchor(const MEASURE& m, int slot);
