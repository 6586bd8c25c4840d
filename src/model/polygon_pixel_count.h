#pragma once
#include "model/dpoint.h"

#include <cstdint>
#include <optional>

class CDibImage;

// Vertices are truncated to whole pixels; a truncated coordinate beyond this
// magnitude (far outside any picture) cannot be drawn. The bound keeps every
// intermediate product of the rasteriser exact in 64-bit integers.
inline constexpr double kMaxPolygonCoordinate = 536870912.0; // 2^29

// Number of pixels of a width x height picture covered by the closed polygon
// (last vertex back to the first) filled with the even-odd rule, together with
// its one-pixel outline. Each pixel counts once.
//
// Pixel rule, with every vertex truncated toward zero to whole pixels:
//  - fill: pixel (c, r) is inside when its centre (c + 0.5, r + 0.5) lies
//    inside by the even-odd rule; a centre exactly on a left edge is inside,
//    on a right edge outside;
//  - outline: each edge marks one pixel per column when it is at least as wide
//    as tall, else one pixel per row, the one nearest to the exact line
//    (halfway cases go to the larger coordinate). Both end pixels are marked,
//    and an edge marks the same pixels whichever way it runs.
// So the square (0,0) (10,0) (10,10) (0,10) counts 11 x 11 = 121, and two
// vertices count the pixels of the line between them.
//
// Fails (nullopt) for fewer than two vertices, a coordinate that is not a
// finite number or beyond kMaxPolygonCoordinate, or an empty picture.
std::optional<std::int64_t> PolygonPixelCount(const DPOINT* points, int n, int width, int height);
std::optional<std::int64_t> PolygonPixelCount(const DPOINT* points, int n, const CDibImage& picture);
