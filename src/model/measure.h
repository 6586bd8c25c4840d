#pragma once
#include "model/dpoint.h"
#include "model/point_array.h"

#include <array>
#include <cstdint>
#include <string>

// Measurement kinds (tools). A record being drawn carries the positive code;
// a complete record carries its negative (-1 ... -6). 0 means no tool.
namespace MeasureKind {
constexpr std::int32_t None = 0;
constexpr std::int32_t Line = 1;    // distance of two points
constexpr std::int32_t Aria = 2;    // polygon area
constexpr std::int32_t Circle = 3;  // circle diameter through three points
constexpr std::int32_t Circle2 = 4; // two circles, their diameters and centre distance
constexpr std::int32_t Sui = 5;     // perpendicular distance from a point to a base line
constexpr std::int32_t Angle = 6;   // angle at a vertex
} // namespace MeasureKind

// Offset of a result label from its anchor, in image pixels.
struct LabelOffset {
    std::int32_t dx = 0;
    std::int32_t dy = 0;

    friend bool operator==(const LabelOffset&, const LabelOffset&) = default;
};

// One measurement. The first four fields are the chain's list fields.
struct MEASURE {
    std::int32_t id = 0;
    std::int32_t index = 0;
    MEASURE* prev = nullptr;
    MEASURE* next = nullptr;

    std::int32_t selected = 0;   // 1 while one of its rows in the results list is selected
    std::int32_t kind = 0;       // MeasureKind, negative once complete
    std::int32_t pointCount = 0; // points in use; points.size() >= pointCount
    CPointArray points;          // clicked points in image pixels (SUI keeps the foot after them)
    std::int32_t unit = 0;       // unit of the values: 0 cm, 1 mm, 2 um
    std::array<double, 5> value{}; // results; value[4] is never set
    std::array<DPOINT, 2> center{}; // circle centres, image pixels
    std::array<double, 2> radius{}; // circle radii, image pixels
    std::array<LabelOffset, 5> labelOffset{}; // per label slot, dragged by the operator
    std::array<std::string, 5> labelText;     // per label slot, the text last drawn (not saved)
};

// The tool of a kind code, whether the record is complete or not (1 ... 6; 0 otherwise).
std::int32_t MeasureTool(std::int32_t kind);

// Points a figure of this kind needs (either sign): LINE 2, ARIA 3, CIRCLE 3,
// CIRCLE2 6, SUI 3, ANGLE 3; 0 for no tool or an unknown code.
std::int32_t PointsNeeded(std::int32_t kind);

// Points of the record that are really there: pointCount, but never more than
// the array holds and never negative.
std::int32_t PointsPresent(const MEASURE& m);
