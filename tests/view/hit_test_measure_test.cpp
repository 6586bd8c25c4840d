#include "view/hit_test_measure.h"

#include "model/label_anchor.h"
#include "model/measure.h"
#include "model/measure_chain.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MEASURE* Add(CMeasureChain& chain, std::int32_t tool, std::vector<DPOINT> pts) {
    MEASURE m;
    m.kind = -tool;
    m.pointCount = static_cast<std::int32_t>(pts.size());
    m.points.Write(0, pts.data(), m.pointCount);
    chain.AddNode(&m);
    return chain.current;
}

// Labels 8 window pixels per character, 12 high.
HitTestOptions Options(double zoom) {
    HitTestOptions o;
    o.zoom = zoom;
    o.measure = [](const std::string& s) { return LabelExtent{8 * static_cast<int>(s.size()), 12}; };
    return o;
}

TEST(HitTestMeasureTest, PointsUseAHalfOpenSquareOfTenWindowPixels) {
    CMeasureChain chain;
    MEASURE* line = Add(chain, MeasureKind::Line, {{100, 100}, {200, 100}});
    struct Case {
        DPOINT p;
        double zoom;
        bool hit;
    } cases[] = {
        {{100, 100}, 1, true}, {{90.01, 100}, 1, true},  {{90, 100}, 1, false}, // x < p.x + d
        {{110, 100}, 1, true}, {{100, 110}, 1, true},    {{100, 89.99}, 1, false},
        {{104.9, 100}, 2, true}, {{95.01, 100}, 2, true}, {{95, 100}, 2, false}, // 10 / zoom
        {{120, 100}, 0.5, true}, {{79.99, 100}, 0.5, false},
    };
    for (const Case& c : cases) {
        const MeasureHit hit = HitTestMeasure(chain, c.p, Options(c.zoom));
        EXPECT_EQ(static_cast<bool>(hit), c.hit) << c.p.x << "," << c.p.y << " zoom " << c.zoom;
        if (c.hit) {
            EXPECT_EQ(hit.record, line);
            EXPECT_EQ(hit.part, HitPart::Point);
            EXPECT_EQ(hit.index, 0);
        }
    }
    const MeasureHit end = HitTestMeasure(chain, {201, 99}, Options(1));
    EXPECT_EQ(end.index, 1);
}

TEST(HitTestMeasureTest, EarlierRecordsWinAndPointsComeBeforeLabels) {
    CMeasureChain chain;
    MEASURE* angle = Add(chain, MeasureKind::Angle, {{300, 300}, {400, 300}, {400, 200}});
    MEASURE* line = Add(chain, MeasureKind::Line, {{500, 500}, {600, 500}});
    // The later LINE's label is dragged over the ANGLE's first point.
    line->labelText[0] = "5.000mm";
    const DPOINT anchor = LabelAnchor(*line, 0);
    line->labelOffset[0] = {static_cast<std::int32_t>(295 - anchor.x), static_cast<std::int32_t>(295 - anchor.y)};
    MeasureHit hit = HitTestMeasure(chain, {300, 300}, Options(1));
    EXPECT_EQ(hit.record, angle);
    EXPECT_EQ(hit.part, HitPart::Point);
    // Away from the point, the label.
    hit = HitTestMeasure(chain, {330, 305}, Options(1));
    EXPECT_EQ(hit.record, line);
    EXPECT_EQ(hit.part, HitPart::Label);
    EXPECT_EQ(hit.index, 0);
    // Within one record its own point beats its own label, which beats later records.
    angle->labelText[0] = "90.0degree"; // 80 x 12
    const DPOINT own = LabelAnchor(*angle, 0);
    angle->labelOffset[0] = {static_cast<std::int32_t>(295 - own.x), static_cast<std::int32_t>(295 - own.y)};
    hit = HitTestMeasure(chain, {300, 300}, Options(1));
    EXPECT_EQ(hit.record, angle);
    EXPECT_EQ(hit.part, HitPart::Point);
    hit = HitTestMeasure(chain, {340, 300}, Options(1));
    EXPECT_EQ(hit.record, angle);
    EXPECT_EQ(hit.part, HitPart::Label);
    // The cursor stays where it was.
    EXPECT_EQ(chain.current, line);
}

TEST(HitTestMeasureTest, CircumferenceBeforeCentre) {
    CMeasureChain chain;
    MEASURE* c2 = Add(chain, MeasureKind::Circle2, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}});
    c2->center = {DPOINT{100, 100}, DPOINT{300, 100}};
    c2->radius = {5.0, 50.0};
    // A small circle: the centre lies within the tolerance of the circumference too.
    MeasureHit hit = HitTestMeasure(chain, {100, 100}, Options(1));
    EXPECT_EQ(hit.part, HitPart::Circumference);
    EXPECT_EQ(hit.index, 0);
    hit = HitTestMeasure(chain, {100, 85.5}, Options(1)); // D 14.5: r in [4.5, 24.5)
    EXPECT_EQ(hit.part, HitPart::Circumference);
    hit = HitTestMeasure(chain, {100, 84}, Options(1)); // D 16: the radius is below 6; the centre 16 away
    EXPECT_FALSE(hit);
    // The second circle: circumference at 50, centre in the square.
    hit = HitTestMeasure(chain, {300, 145}, Options(1));
    EXPECT_EQ(hit.part, HitPart::Circumference);
    EXPECT_EQ(hit.index, 1);
    hit = HitTestMeasure(chain, {303, 96}, Options(1));
    EXPECT_EQ(hit.part, HitPart::Point);
    EXPECT_EQ(hit.index, 1);
    // A CIRCLE has one circle only.
    MEASURE* c1 = Add(chain, MeasureKind::Circle, {{0, 0}, {0, 0}, {0, 0}});
    c1->center = {DPOINT{600, 600}, DPOINT{800, 800}};
    c1->radius = {40.0, 40.0};
    EXPECT_FALSE(HitTestMeasure(chain, {800, 800}, Options(1)));
    EXPECT_EQ(HitTestMeasure(chain, {640, 600}, Options(1)).record, c1);
}

TEST(HitTestMeasureTest, LabelBoxesFollowTheDrawnText) {
    CMeasureChain chain;
    MEASURE* aria = Add(chain, MeasureKind::Aria, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});
    aria->labelText[0] = "12.000mm2"; // 72 x 12 window pixels
    // Anchor (150, 150); drawn 20 window pixels lower.
    struct Case {
        DPOINT p;
        double zoom;
        bool hit;
    } cases[] = {
        {{150, 170}, 1, true},  {{222, 182}, 1, true},  {{222.1, 182}, 1, false}, {{150, 169.9}, 1, false},
        {{150, 160}, 2, true},  {{186, 166}, 2, true},  {{186.1, 166}, 2, false}, {{150, 159.9}, 2, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTestMeasure(chain, c.p, Options(c.zoom)).part == HitPart::Label, c.hit)
            << c.p.x << "," << c.p.y << " zoom " << c.zoom;
    // A SUI label sits low too; its stored foot is never grabbed.
    chain.RemoveAll();
    MEASURE* sui = Add(chain, MeasureKind::Sui, {{0, 400}, {400, 400}, {200, 300}});
    sui->points.Write(3, std::vector<DPOINT>{{200, 400}}.data(), 1);
    EXPECT_FALSE(HitTestMeasure(chain, {200, 400}, Options(1)));
    sui->labelText[0] = "1.000mm";
    EXPECT_EQ(HitTestMeasure(chain, {201, 371}, Options(1)).part, HitPart::Label); // anchor (200, 350)
    EXPECT_FALSE(HitTestMeasure(chain, {201, 360}, Options(1)));
}

TEST(HitTestMeasureTest, HiddenAndUndrawnLabelsAreNotHit) {
    CMeasureChain chain;
    MEASURE* line = Add(chain, MeasureKind::Line, {{100, 100}, {300, 100}});
    // Slot 1 sits on P0 plus its offset.
    line->labelOffset[1] = {0, 30};
    EXPECT_FALSE(HitTestMeasure(chain, {105, 135}, Options(1))); // no text drawn yet
    line->labelText[1] = "0.0degree";
    EXPECT_EQ(HitTestMeasure(chain, {105, 135}, Options(1)).index, 1);
    HitTestOptions hidden = Options(1);
    hidden.showAngle = false;
    EXPECT_FALSE(HitTestMeasure(chain, {105, 135}, hidden));
    HitTestOptions noFont = Options(1);
    noFont.measure = nullptr;
    EXPECT_FALSE(HitTestMeasure(chain, {105, 135}, noFont));
    EXPECT_FALSE(HitTestMeasure(CMeasureChain{}, {100, 100}, Options(1)));
}

TEST(HitTestMeasureTest, ChainHoldsOnlyItsOwnNodes) {
    CMeasureChain chain;
    MEASURE* a = Add(chain, MeasureKind::Line, {{0, 0}, {1, 1}});
    MEASURE* b = Add(chain, MeasureKind::Line, {{0, 0}, {1, 1}});
    MEASURE outside;
    EXPECT_TRUE(ChainHolds(chain, a));
    EXPECT_TRUE(ChainHolds(chain, b));
    EXPECT_FALSE(ChainHolds(chain, &outside));
    EXPECT_FALSE(ChainHolds(chain, nullptr));
    EXPECT_EQ(FirstNode(chain), a);
}

} // namespace
