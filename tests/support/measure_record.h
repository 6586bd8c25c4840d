#pragma once
// A complete measurement over the given points, as a measuring tool hands it on before
// its values are worked out.
#include "model/measure.h"

#include <cstdint>
#include <vector>

inline MEASURE CompleteRecord(std::int32_t tool, const std::vector<DPOINT>& pts,
                              std::int32_t unit = 0) {
    MEASURE m;
    m.kind = -tool;
    m.pointCount = static_cast<std::int32_t>(pts.size());
    m.points.Write(0, pts.data(), m.pointCount);
    m.unit = unit;
    return m;
}
