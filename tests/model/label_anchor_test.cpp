#include "model/label_anchor.h"

#include "model/measure.h"
#include "support/measure_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MEASURE Record(std::int32_t tool, std::vector<DPOINT> pts) {
    MEASURE m = CompleteRecord(tool, pts);
    m.center = {DPOINT{10, 20}, DPOINT{30, 60}};
    return m;
}

namespace K = MeasureKind;

} // namespace

TEST(LabelAnchor, BasePointPerKindAndSlot) {
    struct Case {
        const char* name;
        MEASURE m;
        int slot;
        DPOINT anchor;
    };
    MEASURE sui = Record(K::Sui, {{0, 0}, {0, 10}, {8, 4}});
    sui.points.Grow(1, sui.points.size());
    sui.points[3] = DPOINT{0, 4}; // the foot
    const std::vector<Case> cases = {
        {"LINE length: middle", Record(K::Line, {{2, 4}, {10, 8}}), 0, {6, 6}},
        {"LINE angle: start", Record(K::Line, {{2, 4}, {10, 8}}), 1, {2, 4}},
        {"ARIA: mean of the vertices", Record(K::Aria, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}), 0, {5, 5}},
        {"CIRCLE: centre", Record(K::Circle, {{1, 1}, {2, 2}, {3, 1}}), 0, {10, 20}},
        {"CIRCLE2 diameter A", Record(K::Circle2, {}), 0, {10, 20}},
        {"CIRCLE2 diameter B", Record(K::Circle2, {}), 1, {30, 60}},
        {"CIRCLE2 distance: between the centres", Record(K::Circle2, {}), 2, {20, 40}},
        {"CIRCLE2 angle: 20 below centre A", Record(K::Circle2, {}), 3, {10, 40}},
        {"SUI: between point and foot", sui, 0, {4, 4}},
        {"ANGLE: mean of the three", Record(K::Angle, {{0, 0}, {3, 3}, {6, 0}}), 0, {3, 1}},
        {"unused slot: base of slot 0", Record(K::Line, {{2, 4}, {10, 8}}), 3, {6, 6}},
        {"slot out of range", Record(K::Circle, {}), 7, {10, 20}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        EXPECT_EQ(LabelAnchor(tc.m, tc.slot), tc.anchor);
    }
}

TEST(LabelAnchor, AddsTheOffsetOfItsSlot) {
    MEASURE m = Record(K::Circle2, {});
    m.labelOffset[2] = {5, -7};
    m.labelOffset[3] = {-1, 2};
    EXPECT_EQ(LabelAnchor(m, 2), (DPOINT{25, 33}));
    EXPECT_EQ(LabelAnchor(m, 3), (DPOINT{9, 42}));
    EXPECT_EQ(LabelAnchor(m, 0), (DPOINT{10, 20}));
    EXPECT_EQ(LabelAnchor(m, -1), (DPOINT{10, 20}));
}

TEST(LabelAnchor, MissingPointsReadAsTheOrigin) {
    MEASURE line = Record(K::Line, {{2, 4}});
    line.pointCount = 2; // claims more than it holds
    EXPECT_EQ(LabelAnchor(line, 0), (DPOINT{1, 2}));

    MEASURE aria = Record(K::Aria, {});
    aria.labelOffset[0] = {3, 4};
    EXPECT_EQ(LabelAnchor(aria, 0), (DPOINT{3, 4}));

    MEASURE sui = Record(K::Sui, {{0, 0}, {0, 10}, {8, 4}}); // no foot stored yet
    EXPECT_EQ(LabelAnchor(sui, 0), (DPOINT{4, 2}));
}
