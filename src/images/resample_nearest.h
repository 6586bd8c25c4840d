#pragma once
#include "platform/int_rect.h"

class CDibImage;

// Nearest-neighbour resampling for the resized live picture and the thumbnails.
//
// All rows are picture rows, counted from the top (row 0 = memory row height - 1).
// Destination pixel (column j, row i) of destRect takes source column
// floor(j * srcW / dstW) and row floor(i * srcH / dstH), where srcW x srcH is the size of
// sourceRect and dstW x dstH the size of destRect; the ratios are single-precision and
// the products truncated, then clamped to the source image. Sampling starts at the source
// image's top-left pixel: sourceRect supplies only the sampled size. The destination is
// written from destRect's top-left corner; pixels of destRect outside the destination
// image are skipped (the ratios still use the whole destRect).
//
// Bit counts (source -> destination):
//   24 -> 24, 8 -> 8   copied
//   8 -> 24            the colour-table entry of the index (the byte repeated for grey)
//   32 -> 24           the first three bytes
//   16 -> 24           grey word >> 2 in all three bytes
// Returns 1, or 0 for another pair, a null image, or an empty rectangle.
int ResampleNearest(const CDibImage& source, const IntRect& sourceRect, CDibImage& destination,
                    const IntRect& destRect);
