#include "model/result_rows.h"

#include "model/measure.h"
#include "platform/string_table.h"

std::vector<ResultRow> ResultRowsFor(const MEASURE& m) {
    if (m.kind >= 0)
        return {};
    const auto row = [&m](int textId, ResultQuantity quantity, int i) {
        return ResultRow{textId, m.value[static_cast<std::size_t>(i)], quantity, i};
    };
    using Q = ResultQuantity;
    switch (MeasureTool(m.kind)) {
    case MeasureKind::Line:
        return {row(strid::Length, Q::Length, 0), row(strid::Angle, Q::Angle, 1)};
    case MeasureKind::Aria:
        return {row(strid::PolygonArea, Q::Area, 0)};
    case MeasureKind::Circle:
        return {row(strid::CircleDiameter, Q::Length, 0)};
    case MeasureKind::Circle2:
        return {row(strid::CircleDiameter, Q::Length, 0), row(strid::CircleDiameter, Q::Length, 1),
                row(strid::CircleDistance, Q::Length, 2), row(strid::Angle, Q::Angle, 3)};
    case MeasureKind::Sui:
        return {row(strid::Length, Q::Length, 0)};
    case MeasureKind::Angle:
        return {row(strid::Angle, Q::Angle, 0)};
    default:
        return {};
    }
}
