#include "view/snap_to_edge.h"

#include "images/dib_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

int SnapSquareHalfWidth(int size) {
    return size < 1 ? 1 : size;
}

int SnapToEdge(DPOINT& p, const CDibImage& edge, int threshold, int size) {
    if (edge.isNull() || edge.bitCount() != 8)
        return 0;
    // A point far outside any picture (or not a number) has no candidates; this also
    // keeps the truncation below defined.
    constexpr double kFar = 1 << 30;
    if (!(std::fabs(p.x) < kFar && std::fabs(p.y) < kFar))
        return 0;
    const std::int64_t x = static_cast<std::int64_t>(p.x);
    const std::int64_t y = static_cast<std::int64_t>(p.y);
    const std::int64_t s = SnapSquareHalfWidth(size);
    const std::int64_t u0 = std::max<std::int64_t>(x - s, 0);
    const std::int64_t u1 = std::min<std::int64_t>(x + s, edge.width());
    const std::int64_t v0 = std::max<std::int64_t>(y - s, 0);
    const std::int64_t v1 = std::min<std::int64_t>(y + s, edge.height());
    if (u0 >= u1 || v0 >= v1)
        return 0;

    bool found = false;
    float best = 0.0f;
    std::int64_t bu = 0, bv = 0;
    for (std::int64_t v = v1 - 1; v >= v0; --v) {
        const std::uint8_t* row = edge.scanLine(static_cast<int>(v));
        const float dv = static_cast<float>(v - y);
        for (std::int64_t u = u0; u < u1; ++u) {
            if (row[u] <= threshold)
                continue;
            const float du = static_cast<float>(u - x);
            const float d = std::sqrt(du * du + dv * dv);
            if (!found || d < best) {
                found = true;
                best = d;
                bu = u;
                bv = v;
            }
        }
    }
    if (!found || (bu == x && bv == y))
        return 0;
    p = {static_cast<double>(bu), static_cast<double>(bv)};
    return 1;
}
