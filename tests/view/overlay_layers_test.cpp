#include "settings/app_settings.h"
#include "calib/calibration.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "platform/language.h"
#include "view/measure_figure.h"
#include "view/overlay_layers.h"
#include "view/overlay_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

namespace K = MeasureKind;
using Type = OverlayItemType;

MEASURE Record(std::int32_t kind, std::vector<DPOINT> pts) {
    MEASURE m;
    m.kind = kind;
    m.unit = 1;
    m.pointCount = static_cast<std::int32_t>(pts.size());
    m.points.Write(0, pts.data(), m.pointCount);
    return m;
}

OverlayMapping Map(double s = 1.0, double offX = 0, double offY = 0) {
    OverlayMapping m;
    m.sx = m.sy = s;
    m.offX = offX;
    m.offY = offY;
    m.imageWidth = 1280;
    m.imageHeight = 1024;
    return m;
}

std::vector<const OverlayItem*> OfType(const OverlayList& list, Type type) {
    std::vector<const OverlayItem*> out;
    for (const OverlayItem& i : list.items())
        if (i.type == type)
            out.push_back(&i);
    return out;
}

class OverlayLayers : public ::testing::Test {
protected:
    void SetUp() override { g_bJapanese = false; }
    ColorSettings color;
    MeasureStyle style() const { return MeasureStyleFrom(color); }
};

TEST_F(OverlayLayers, GridLinesPerSpacing) {
    struct Case {
        int size;
        std::size_t vertical;
        std::size_t horizontal;
    };
    for (const Case c : {Case{100, 12, 10}, Case{1024, 1, 1}, Case{1025, 1, 0}, Case{2000, 0, 0},
                         Case{0, 0, 0}, Case{-5, 0, 0}}) {
        color.gridsize = c.size;
        OverlayList list;
        AppendGrid(list, Map(), color);
        std::size_t v = 0;
        std::size_t h = 0;
        for (const OverlayItem& i : list.items()) {
            ASSERT_EQ(i.type, Type::Line);
            EXPECT_EQ(i.colour, color.grid);
            EXPECT_EQ(i.width, 1);
            if (i.points[0].x == i.points[1].x) {
                ++v;
                EXPECT_EQ(i.points[0].y, 0);
                EXPECT_EQ(i.points[1].y, 1024);
            } else {
                ++h;
                EXPECT_EQ(i.points[1].x, 1280);
            }
        }
        EXPECT_EQ(v, c.vertical) << c.size;
        EXPECT_EQ(h, c.horizontal) << c.size;
    }
}

TEST_F(OverlayLayers, ScaleBarAtX2SpansFourHundredPixels) {
    ScaleData bar;
    bar.Visible = 1;
    bar.unit = 1;
    bar.mpp = {0.05, 0.05};
    bar.Pos = {590, 430};
    bar.Size = {10, 10};
    OverlayList list;
    AppendScaleBar(list, Map(2.0, -100, -50), bar, color);
    const auto lines = OfType(list, Type::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]->points[0], (OverlayPoint{980, 760}));
    EXPECT_EQ(lines[0]->points[0].x - lines[0]->points[1].x, 400);
    const auto texts = OfType(list, Type::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, "10.00mm");
    EXPECT_EQ(texts[0]->colour, color.text);

    bar.Visible = 0;
    OverlayList hidden;
    AppendScaleBar(hidden, Map(2.0), bar, color);
    EXPECT_TRUE(hidden.items().empty());
    bar.Visible = 1;
    bar.mpp = {0, 0};
    AppendScaleBar(hidden, Map(2.0), bar, color);
    EXPECT_TRUE(hidden.items().empty());
}

TEST_F(OverlayLayers, SelectedRecordUsesInvertedColoursExceptTheSuiDots) {
    MEASURE sui = Record(-K::Sui, {{100, 100}, {300, 100}, {200, 160}});
    sui.value[0] = 3.0;
    for (int selected : {1, 0}) {
        sui.selected = selected;
        OverlayList list;
        AppendMeasureFigure(list, sui, Map(), style());
        const COLORREF line = selected ? InvertedColour(color.line) : color.line;
        const COLORREF text = selected ? InvertedColour(color.text) : color.text;
        for (const OverlayItem& i : list.items()) {
            if (i.type == Type::Dot) {
                EXPECT_EQ(i.colour, color.line);
                EXPECT_EQ(i.width, 5);
            } else {
                EXPECT_EQ(i.colour, i.type == Type::Text ? text : line);
            }
        }
    }
    EXPECT_EQ(InvertedColour(RGB(0, 255, 0)), RGB(255, 0, 255));
}

TEST_F(OverlayLayers, SuiFootIsWrittenBackAndTheBaseLineCrossesThePicture) {
    MEASURE sui = Record(-K::Sui, {{100, 100}, {300, 300}, {300, 100}});
    sui.value[0] = 14.142;
    OverlayList list;
    AppendMeasureFigure(list, sui, Map(), style());
    ASSERT_GE(sui.points.size(), 4);
    EXPECT_NEAR(sui.points[3].x, 200, 1e-9);
    EXPECT_NEAR(sui.points[3].y, 200, 1e-9);
    EXPECT_EQ(sui.pointCount, 3);
    const auto lines = OfType(list, Type::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->points[0], (OverlayPoint{0, 0}));
    EXPECT_EQ(lines[0]->points[1], (OverlayPoint{1024, 1024}));
    EXPECT_EQ(lines[1]->points[1], (OverlayPoint{200, 200}));
    // Label: midway between P2 and the foot, 20 pixels lower.
    const auto texts = OfType(list, Type::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->points[0], (OverlayPoint{250, 150 + 20}));
    EXPECT_EQ(texts[0]->text, "14.142mm");
    EXPECT_EQ(sui.labelText[0], "14.142mm");
}

TEST_F(OverlayLayers, FinishedKindsDrawTheirShapesAndLabels) {
    MEASURE line = Record(-K::Line, {{10, 20}, {110, 20}});
    line.value = {5.0, 0.0, 0, 0, 0};
    line.labelOffset[0] = {3, -4};
    MEASURE circle = Record(-K::Circle, {{0, 0}, {1, 1}, {2, 0}});
    circle.center[0] = {50, 60};
    circle.radius[0] = 10.6;
    circle.value[0] = 1.06;
    MEASURE two = Record(-K::Circle2, {{0, 0}, {1, 1}, {2, 0}, {5, 5}, {6, 6}, {7, 5}});
    two.center = {DPOINT{20, 20}, DPOINT{80, 20}};
    two.radius = {5, 7};
    MEASURE aria = Record(-K::Aria, {{0, 0}, {40, 0}, {40, 40}, {0, 40}});
    aria.unit = 2;
    aria.value[0] = 1600;
    MEASURE angle = Record(-K::Angle, {{0, 0}, {10, 0}, {10, 10}});
    angle.value[0] = 90;

    OverlayList list;
    AppendMeasureFigure(list, line, Map(2.0), style());
    ASSERT_EQ(OfType(list, Type::Line).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Line)[0]->points[1], (OverlayPoint{220, 40}));
    auto texts = OfType(list, Type::Text);
    ASSERT_EQ(texts.size(), 2u); // length and, with showangle, the angle
    EXPECT_EQ(texts[0]->points[0], (OverlayPoint{(60 + 3) * 2, (20 - 4) * 2}));
    EXPECT_EQ(line.labelText[0], "5.000mm");
    EXPECT_EQ(line.labelText[1], "0.0degree");

    color.showangle = 0;
    list.clear();
    AppendMeasureFigure(list, line, Map(), style());
    EXPECT_EQ(OfType(list, Type::Text).size(), 1u);

    list.clear();
    AppendMeasureFigure(list, circle, Map(2.0), style());
    const auto ellipses = OfType(list, Type::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0]->bounds, (IntRect{100 - 21, 120 - 21, 100 + 21, 120 + 21}));
    EXPECT_EQ(OfType(list, Type::Line).size(), 2u); // the centre marker

    list.clear();
    AppendMeasureFigure(list, two, Map(), style());
    EXPECT_EQ(OfType(list, Type::Ellipse).size(), 2u);
    EXPECT_EQ(OfType(list, Type::Line).size(), 1u); // the centre line, no markers
    EXPECT_EQ(OfType(list, Type::Text).size(), 3u); // angle label off

    list.clear();
    AppendMeasureFigure(list, aria, Map(), style());
    ASSERT_EQ(OfType(list, Type::Polygon).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Polygon)[0]->points.size(), 4u);
    EXPECT_EQ(OfType(list, Type::Text)[0]->points[0], (OverlayPoint{20, 40}));
    EXPECT_EQ(aria.labelText[0], "1600.00um2");

    list.clear();
    AppendMeasureFigure(list, angle, Map(), style());
    ASSERT_EQ(OfType(list, Type::Polyline).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Polyline)[0]->points.size(), 3u);
    EXPECT_EQ(angle.labelText[0], "90.0degree");

    MEASURE empty = Record(-K::Line, {});
    MEASURE noKind = Record(0, {{1, 1}, {2, 2}});
    list.clear();
    AppendMeasureFigure(list, empty, Map(), style());
    AppendMeasureFigure(list, noKind, Map(), style());
    EXPECT_TRUE(list.items().empty());
}

TEST_F(OverlayLayers, FiguresBeingDrawnFollowTheCursor) {
    FigureCursor cursor;
    cursor.at = {110, 20};
    MEASURE line = Record(K::Line, {{10, 20}});
    OverlayList list;
    AppendMeasureFigure(list, line, Map(), style(), &cursor);
    ASSERT_EQ(OfType(list, Type::Line).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Line)[0]->points[1], (OverlayPoint{110, 20}));
    EXPECT_EQ(line.labelText[1], "0.0degree");
    // Live direction label turned to the base line: Y-axis + adds 270.
    color.anglebaseline = 1;
    cursor.at = {10, 0}; // straight up: 90
    list.clear();
    AppendMeasureFigure(list, line, Map(), style(), &cursor);
    EXPECT_EQ(line.labelText[1], "0.0degree");
    // SHIFT: the figure goes to the constrained end, the label shows its direction.
    color.anglebaseline = 0;
    cursor.at = {100, 30};
    cursor.constrain = [](const DPOINT& p0, const DPOINT&, bool sui) {
        EXPECT_FALSE(sui);
        return DPOINT{p0.x + 50, p0.y - 50};
    };
    list.clear();
    AppendMeasureFigure(list, line, Map(), style(), &cursor);
    EXPECT_EQ(OfType(list, Type::Line)[0]->points[1], (OverlayPoint{60, -30}));
    EXPECT_EQ(line.labelText[1], "45.0degree");

    // CIRCLE with two points: the circle through them and the cursor, its centre marker
    // and a marker at each point.
    FigureCursor c3;
    c3.at = {110, 10};
    MEASURE circle = Record(K::Circle, {{90, 10}, {100, 20}});
    list.clear();
    AppendMeasureFigure(list, circle, Map(), style(), &c3);
    ASSERT_EQ(OfType(list, Type::Ellipse).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Ellipse)[0]->bounds, (IntRect{90, 0, 110, 20}));
    EXPECT_EQ(OfType(list, Type::Line).size(), 6u);

    // CIRCLE2 with the first circle done and one point of the second: one circle, its
    // centre marker, and a marker at the point being placed.
    MEASURE two = Record(K::Circle2, {{90, 10}, {100, 20}, {110, 10}, {300, 300}});
    list.clear();
    AppendMeasureFigure(list, two, Map(), style(), &c3);
    EXPECT_EQ(OfType(list, Type::Ellipse).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Line).size(), 4u);

    // SUI with one point: the base line through it and the cursor, across the picture.
    FigureCursor cs;
    cs.at = {400, 300};
    MEASURE sui = Record(K::Sui, {{400, 100}});
    list.clear();
    AppendMeasureFigure(list, sui, Map(), style(), &cs);
    ASSERT_EQ(OfType(list, Type::Line).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Line)[0]->points[0], (OverlayPoint{400, 0}));
    EXPECT_EQ(OfType(list, Type::Line)[0]->points[1], (OverlayPoint{400, 1024}));

    // ARIA: the polyline through the points, then to the cursor.
    MEASURE aria = Record(K::Aria, {{0, 0}, {10, 0}});
    list.clear();
    AppendMeasureFigure(list, aria, Map(), style(), &cs);
    ASSERT_EQ(OfType(list, Type::Polyline).size(), 1u);
    EXPECT_EQ(OfType(list, Type::Polyline)[0]->points.back(), (OverlayPoint{400, 300}));
}

TEST_F(OverlayLayers, LayersComeInTheirOrder) {
    CMeasureChain chain;
    MEASURE line = Record(-K::Line, {{10, 20}, {110, 20}});
    chain.AddNode(&line);
    MEASURE working = Record(K::Angle, {{5, 5}, {50, 5}});
    ScaleData bar;
    bar.Visible = 1;
    bar.mpp = {0.05, 0.05};
    color.gridflg = 1;
    color.gridsize = 500;
    color.focusflg = 1;
    color.focuspos = 77;
    color.showangle = 0;
    color.CursorCrosshairs.Color = RGB(1, 2, 3);
    std::vector<int> order;
    OverlayInputs in;
    in.measurements = &chain;
    in.working = &working;
    in.color = &color;
    in.scaleBar = &bar;
    in.crossCursor = true;
    in.crossCursorAt = {640, 512};
    in.hasCursor = true;
    in.cursor.at = {60, 60};
    in.crossLines = [&](OverlayList& out, const OverlayMapping&) {
        order.push_back(static_cast<int>(out.items().size()));
    };
    in.focusAreas = [&](OverlayList& out, const OverlayMapping&) {
        order.push_back(static_cast<int>(out.items().size()));
    };
    OverlayList list;
    AppendOverlayLayers(list, Map(), in);
    const auto& items = list.items();
    // line + label, bar (3 lines + label), focus line, grid (2 + 2), crosshair (2), working polyline
    ASSERT_EQ(items.size(), 2u + 4u + 1u + 4u + 2u + 1u);
    EXPECT_EQ(order, (std::vector<int>{6, 7}));
    EXPECT_EQ(items[6].colour, color.wave);
    EXPECT_EQ(items[6].points[0].y, 77);
    EXPECT_EQ(items[7].colour, color.grid);
    EXPECT_EQ(items[11].colour, RGB(1, 2, 3));
    EXPECT_EQ(items[13].type, Type::Polyline);
    EXPECT_EQ(chain.GetCount(), 1);
    EXPECT_EQ(chain.current->labelText[0], "0.000mm");

    // A working record without points, or no tool armed, is not drawn.
    working.pointCount = 0;
    list.clear();
    AppendOverlayLayers(list, Map(), in);
    EXPECT_EQ(list.items().size(), 13u);
}

TEST_F(OverlayLayers, CalibrationCrossInWindowPixels) {
    CALIBRATION c;
    c.left = 100;
    c.top = 50;
    c.right = 300;
    c.bottom = 250;
    OverlayMapping map = Map(0.5);
    map.originX = 8;
    map.originY = 8;
    OverlayList list;
    AppendCalibrationOverlay(list, map, c, IntRect{10, 10, 630, 470}, color.line, 1);
    const auto& items = list.items();
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[0].type, Type::Polygon);
    EXPECT_EQ(items[0].points[0], (OverlayPoint{13, 13}));
    EXPECT_EQ(items[0].points[2], (OverlayPoint{323, 243}));
    // L 58, T 33, R 158, B 133: bars through the middle, ticks of 10 window pixels.
    EXPECT_EQ(items[1].points[0], (OverlayPoint{58, 83}));
    EXPECT_EQ(items[1].points[1], (OverlayPoint{158, 83}));
    EXPECT_EQ(items[2].points[0], (OverlayPoint{108, 33}));
    EXPECT_EQ(items[3].points[0], (OverlayPoint{98, 33}));
    EXPECT_EQ(items[3].points[1], (OverlayPoint{118, 33}));
    EXPECT_EQ(items[6].points[0], (OverlayPoint{158, 73}));
}

TEST(OverlayList, HugeCoordinatesAreCutNotWrapped) {
    OverlayList list;
    list.line(0, 1, DPOINT{-1e12, 100}, DPOINT{1e12, 100});
    list.line(0, 1, DPOINT{1e300, 1e300}, DPOINT{2e300, 2e300});
    list.line(0, 1, DPOINT{NAN, 0}, DPOINT{1, 1});
    ASSERT_EQ(list.items().size(), 1u);
    EXPECT_EQ(list.items()[0].points[0].y, 100);
    EXPECT_LT(list.items()[0].points[0].x, -1000000);
    EXPECT_GT(list.items()[0].points[1].x, 1000000);
    OverlayMapping map;
    EXPECT_EQ(map.map({1e300, -1e300}).x, static_cast<int>(OverlayMapping::kLimit));
    EXPECT_EQ(map.map({1e300, -1e300}).y, -static_cast<int>(OverlayMapping::kLimit));
    EXPECT_EQ(OverlayPenWidth(0), 1);
    EXPECT_EQ(OverlayPenWidth(1000000000), OverlayList::kMaxPenWidth);
}

TEST(LineAcrossPicture, EdgeToEdge) {
    DPOINT a;
    DPOINT b;
    ASSERT_TRUE(LineAcrossPicture({10, 5}, {20, 5}, 640, 480, a, b));
    EXPECT_EQ(a, (DPOINT{0, 5}));
    EXPECT_EQ(b, (DPOINT{640, 5}));
    ASSERT_TRUE(LineAcrossPicture({10, 5}, {10, 5}, 640, 480, a, b)); // coinciding: vertical
    EXPECT_EQ(a, (DPOINT{10, 0}));
    EXPECT_EQ(b, (DPOINT{10, 480}));
    EXPECT_FALSE(LineAcrossPicture({-10, 5}, {-10, 50}, 640, 480, a, b));
    EXPECT_FALSE(LineAcrossPicture({0, 600}, {10, 610}, 640, 480, a, b));
}

} // namespace
