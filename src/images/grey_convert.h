#pragma once
#include "images/image_descriptor.h"

class CDibImage;

// Grey level of a B, G, R pixel: (11 * R + 30 * G + 59 * B) / 100, in integers. The edge
// preview compares against the same weighted sum, so the weights are shared here.
inline int GreyWeightedSum(int r, int g, int b) { return 11 * r + 30 * g + 59 * b; }
inline int GreyLevel(int r, int g, int b) { return GreyWeightedSum(r, g, b) / 100; }

// Writes the grey level of every source pixel (24 or 32-bit, bytes B, G, R, ...) into the
// destination (8-bit: the grey byte; 24 or 32-bit: the grey in the first three bytes, a
// fourth byte left as it was). Works over the two records' rectangles, row by row from
// their top rows, on as many rows and columns as both have. Returns a FilterResult:
// kFilterBadBitCount when the source is not 24/32-bit or the destination not 8/24/32-bit.
int ToGrey8(const IMAGE_DESCRIPTOR* source, const IMAGE_DESCRIPTOR* destination);

// The same over the whole of both images.
int ToGrey8(const CDibImage& source, CDibImage& destination);
