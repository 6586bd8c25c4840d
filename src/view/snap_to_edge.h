#pragma once
#include "model/dpoint.h"

class CDibImage;

// The half-width of the search square for a `MagnetData.Size`: values below 1, typed or
// read from the settings file, search the smallest square (half-width 1); the stored
// value stays as it was.
int SnapSquareHalfWidth(int size);

// Moves p to the nearest pixel of `edge` (8-bit, picture rows top-down as usual) whose
// value is greater than `threshold`, inside the square x - s <= u < x + s,
// y - s <= v < y + s around p truncated, cut by the picture. Rows are tried from the
// bottom of the square upward and each from the left; only a strictly nearer pixel
// replaces the one found, so ties go to the lower row, then to the left.
// Returns 1 when p was moved; 0, p unchanged, when there is no candidate, the nearest is
// p's own pixel, or the edge image is missing or not 8-bit.
int SnapToEdge(DPOINT& p, const CDibImage& edge, int threshold, int size);
