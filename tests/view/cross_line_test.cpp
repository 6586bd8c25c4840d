#include "images/dib_image.h"
#include "platform/profile.h"
#include "platform/temp_dir.h"
#include "view/cross_line_drag.h"
#include "view/cross_line_drawing.h"
#include "view/cross_line_form.h"
#include "view/cross_line_model.h"
#include "view/cross_line_settings.h"
#include "view/direction_cursor.h"
#include "view/overlay_list.h"
#include "view/pixel_band.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFirst = CrossLineModel::kFirst;
constexpr int kSecond = CrossLineModel::kSecond;

CROSSLINE Entry(int x, int y, int show = 1) {
    CROSSLINE e;
    e.Show = show;
    e.Pos_x = x;
    e.Pos_y = y;
    return e;
}

CROSSLINE Circle(int x, int y, float radius) {
    CROSSLINE e = Entry(x, y);
    e.Radius = radius;
    e.Mode = kCircleDefined;
    return e;
}

OverlayMapping Map(int w, int h) {
    OverlayMapping m;
    m.imageWidth = w;
    m.imageHeight = h;
    return m;
}

// What the painter does with the bands of a list, on a 24-bit picture.
void PaintBands(const OverlayList& list, CDibImage& image) {
    const PixelRows rows = PixelRows::Of(image);
    for (const OverlayItem& item : list.items()) {
        if (item.type == OverlayItemType::Band)
            BlendBand(rows, item.bounds, item.colour, item.opacity, item.dash, item.dashOrigin);
    }
}

CDibImage Black(int w, int h) {
    CDibImage image;
    image.create(w, h, 24);
    return image;
}

int Blue(const CDibImage& image, int x, int y) {
    return image.scanLine(y)[3 * x];
}
int Green(const CDibImage& image, int x, int y) {
    return image.scanLine(y)[3 * x + 1];
}

} // namespace

// ---- pixels ---------------------------------------------------------------

TEST(CrossLinePixels, BlendRoundsEachTermDown) {
    struct Case {
        int old, colour, draw, want;
    } cases[] = {
        {0, 255, 50, 127},     // white at 50 % over black
        {255, 0, 50, 127},     // black at 50 % over white
        {200, 255, 0, 200},    // Draw 0 leaves the picture
        {200, 10, 100, 10},    // Draw 100 is the pure colour
        {99, 99, 33, 66 + 32}, // 99 * 67 / 100 = 66, 33 * 99 / 100 = 32
        {255, 255, 150, 255},  // out of range opacity is held at 100
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendChannel(c.old, c.colour, c.draw), c.want)
            << c.old << " " << c.colour << " " << c.draw;
}

TEST(CrossLinePixels, FourBytePixelsBlendAsTheRuleSaysAndKeepTheFourthByte) {
    // Every old value in every channel, spans of every length up to 9 pixels at odd
    // offsets, so that both the wide and the pixel-by-pixel steps are checked.
    std::vector<std::uint8_t> bytes(4 * 256 + 64);
    for (int opacity : {1, 33, 50, 99}) {
        for (COLORREF colour : {RGB(255, 255, 255), RGB(0, 0, 0), RGB(7, 130, 254)}) {
            for (int length = 1; length <= 9; ++length) {
                for (std::size_t i = 0; i < bytes.size(); ++i)
                    bytes[i] = static_cast<std::uint8_t>(i * 37 + (i >> 2));
                const std::vector<std::uint8_t> before = bytes;
                PixelRows rows;
                rows.top = bytes.data() + 4;
                rows.stride = 4 * 260;
                rows.bytesPerPixel = 4;
                rows.width = 260;
                rows.height = 1;
                for (int x = 0; x + length <= 255; x += length + 1)
                    BlendBand(rows, {x, 0, x + length, 1}, colour, opacity);
                for (int x = 0; x < 255; ++x) {
                    const bool covered =
                        x % (length + 1) < length && x + (length - x % (length + 1)) <= 255;
                    const std::size_t o = 4 + 4 * static_cast<std::size_t>(x);
                    const int want[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
                    for (int k = 0; k < 3; ++k) {
                        const int old = before[o + k];
                        ASSERT_EQ(bytes[o + k], covered ? BlendChannel(old, want[k], opacity) : old)
                            << opacity << " " << colour << " " << length << " x " << x;
                    }
                    ASSERT_EQ(bytes[o + 3], before[o + 3]);
                }
            }
        }
    }
}

TEST(CrossLinePixels, BandsRowByRowEqualBandsOneAfterTheOther) {
    // Overlapping bands of different colours, opacities and dashes: the order in which
    // a pixel sees them decides its value.
    const std::vector<PixelBand> bands = {
        {{0, 10, 1 << 30, 20}, RGB(255, 0, 0), 50, BandDash::AlongX, 0},
        {{15, 0, 25, 1 << 30}, RGB(0, 255, 40), 30, BandDash::AlongY, 3},
        {{-5, 12, 60, 18}, RGB(9, 99, 200), 100, BandDash::None, 0},
        {{18, 5, 22, 40}, RGB(255, 255, 255), 77, BandDash::None, 0},
        {{0, 0, 0, 0}, RGB(1, 1, 1), 50, BandDash::None, 0},
        {{2, 2, 30, 30}, RGB(1, 1, 1), 0, BandDash::None, 0},
    };
    for (int bits : {24, 32}) {
        CDibImage one;
        one.create(50, 45, bits);
        for (int y = 0; y < 45; ++y)
            for (int x = 0; x < 50 * one.bytesPerPixel(); ++x)
                one.scanLine(y)[x] = static_cast<std::uint8_t>(x * 7 + y * 13);
        CDibImage all;
        all.copyFrom(one);
        for (const PixelBand& b : bands)
            BlendBand(PixelRows::Of(one), b.rect, b.colour, b.opacity, b.dash, b.dashOrigin);
        BlendBands(PixelRows::Of(all), bands);
        ASSERT_EQ(one.byteSize(), all.byteSize());
        EXPECT_TRUE(std::equal(one.bits(), one.bits() + one.byteSize(), all.bits())) << bits;
    }
}

TEST(CrossLinePixels, RowsAndColumnsStartHalfTheSizeBefore) {
    for (int size = 1; size <= 10; ++size) {
        CDibImage image = Black(60, 50);
        CrossLineModel model;
        CROSSLINE e = Entry(30, 20);
        e.Color = RGB(255, 255, 255);
        e.Size = size;
        model.list(kFirst) = {e};
        OverlayList list;
        AppendCrossLines(list, Map(60, 50), model, nullptr);
        PaintBands(list, image);
        const int first = 20 - size / 2;
        for (int y = 0; y < 50; ++y)
            EXPECT_EQ(Blue(image, 5, y), y >= first && y < first + size ? 255 : 0)
                << size << " row " << y;
        const int firstCol = 30 - size / 2;
        for (int x = 0; x < 60; ++x)
            EXPECT_EQ(Blue(image, x, 45), x >= firstCol && x < firstCol + size ? 255 : 0)
                << size << " col " << x;
    }
}

TEST(CrossLinePixels, HalfOpaqueWhiteOverBlackGives127AndZeroDrawsNothing) {
    for (int draw : {50, 0}) {
        CDibImage image = Black(40, 40);
        CrossLineModel model;
        CROSSLINE e = Entry(20, 20);
        e.Color = RGB(255, 255, 255);
        e.Draw = draw;
        model.list(kFirst) = {e};
        OverlayList list;
        AppendCrossLines(list, Map(40, 40), model, nullptr);
        PaintBands(list, image);
        const int want = draw == 50 ? 127 : 0;
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(image.scanLine(20)[3 * 5 + k], want);
        EXPECT_EQ(Blue(image, 20, 5), want);
    }
}

TEST(CrossLinePixels, DashedGapsAreColumns18To23OfEvery24FromTheEdge) {
    CDibImage image = Black(100, 100);
    CrossLineModel model;
    CROSSLINE e = Entry(50, 50);
    e.Color = RGB(0, 255, 0);
    e.Size = 3;
    e.Type = 1;
    model.list(kFirst) = {e};
    OverlayList list;
    AppendCrossLines(list, Map(100, 100), model, nullptr);
    PaintBands(list, image);
    for (int x = 0; x < 100; ++x) {
        if (x >= 49 && x <= 51)
            continue; // the vertical line
        const bool drawn = x % 24 < 18;
        for (int y = 49; y <= 51; ++y)
            EXPECT_EQ(Green(image, x, y), drawn ? 255 : 0) << x << "," << y;
    }
    for (int y = 0; y < 100; ++y) {
        if (y >= 49 && y <= 51)
            continue;
        EXPECT_EQ(Green(image, 50, y), y % 24 < 18 ? 255 : 0) << y;
    }
}

TEST(CrossLinePixels, DashesCountFromThePictureAreaNotTheSurface) {
    OverlayMapping map = Map(100, 100);
    map.originX = 7;
    map.originY = 3;
    CROSSLINE e = Entry(50, 50);
    e.Type = 1;
    OverlayList list;
    AppendCrossLine(list, map, e, map.map({50, 50}));
    ASSERT_EQ(list.items().size(), 2u);
    EXPECT_EQ(list.items()[0].dashOrigin, 7);
    EXPECT_EQ(list.items()[0].bounds.left, 7);
    EXPECT_EQ(list.items()[1].dashOrigin, 3);
    EXPECT_EQ(list.items()[1].bounds.top, 3);
}

// ---- what is drawn --------------------------------------------------------

TEST(CrossLineDrawing, ShowRules) {
    struct Case {
        const char* name;
        int masterShow, slaveShow;
        std::size_t bands;
    } cases[] = {
        {"all shown", 1, 1, 4},
        {"hidden slave is skipped", 1, 0, 2},
        {"hidden master hides the list", 0, 1, 0},
    };
    for (const Case& c : cases) {
        for (int which : {kFirst, kSecond}) {
            CrossLineModel model;
            if (which == kFirst)
                model.list(kFirst) = {Entry(10, 10, c.masterShow), Entry(5, 5, c.slaveShow)};
            else {
                model.list(kFirst) = {Entry(0, 0, 0)};
                CROSSLINE m = Circle(10, 10, 5), s = Circle(5, 5, 5);
                m.Show = c.masterShow;
                s.Show = c.slaveShow;
                model.list(kSecond) = {m, s};
            }
            OverlayList list;
            AppendCrossLines(list, Map(100, 100), model, nullptr);
            std::size_t bands = 0, circles = 0;
            for (const OverlayItem& item : list.items()) {
                bands += item.type == OverlayItemType::Band;
                circles += item.type == OverlayItemType::Ellipse;
            }
            EXPECT_EQ(bands, c.bands) << c.name << " list " << which;
            EXPECT_EQ(circles, which == kSecond ? c.bands / 2 : 0) << c.name;
        }
    }
}

TEST(CrossLineDrawing, SlavesAreDrawnAtMasterPlusOffset) {
    CrossLineModel model;
    model.list(kFirst) = {Entry(100, 80), Entry(-30, 20)};
    OverlayList list;
    OverlayMapping map = Map(400, 300);
    map.sx = map.sy = 2.0;
    AppendCrossLines(list, map, model, nullptr);
    ASSERT_EQ(list.items().size(), 4u);
    EXPECT_EQ(list.items()[2].bounds.top, 200);  // (80 + 20) * 2
    EXPECT_EQ(list.items()[3].bounds.left, 140); // (100 - 30) * 2
}

TEST(CrossLineDrawing, CircleBeingDefinedShowsMarkersAndFollowsTheMouse) {
    CrossLineModel model;
    CROSSLINE e = Entry(320, 240);
    e.Size = 2;
    e.Mode = 2;
    e.points[0] = {40, 50};
    e.points[1] = {60, 50};
    model.list(kSecond) = {e};
    const DPOINT mouse{50, 60};
    OverlayList list;
    AppendCrossLines(list, Map(200, 200), model, &mouse);
    int lines = 0, ellipses = 0;
    std::vector<IntRect> bands;
    for (const OverlayItem& item : list.items()) {
        lines += item.type == OverlayItemType::Line;
        if (item.type == OverlayItemType::Ellipse) {
            ++ellipses;
            EXPECT_EQ(item.width, 2);
            EXPECT_EQ(item.bounds, (IntRect{40, 40, 60, 60})); // centre (50, 50), radius 10
        }
        if (item.type == OverlayItemType::Band)
            bands.push_back(item.bounds);
    }
    EXPECT_EQ(lines, 4); // two markers of two strokes
    EXPECT_EQ(ellipses, 1);
    ASSERT_EQ(bands.size(), 2u); // the cross at the circle's centre, not at (320, 240)
    EXPECT_EQ(bands[0].top, 49);
    EXPECT_EQ(bands[1].left, 49);

    // Without the mouse over the picture, only the markers.
    OverlayList still;
    AppendCrossLines(still, Map(200, 200), model, nullptr);
    EXPECT_EQ(still.items().size(), 4u);
}

// ---- dragging -------------------------------------------------------------

TEST(CrossLineDrag, MovingTheMasterMovesShownSlavesNotTheirOffsets) {
    CrossLineModel model;
    model.list(kFirst) = {Entry(100, 100), Entry(50, 0), Entry(0, 40)};
    CrossLineDrag drag;
    EXPECT_EQ(drag.press(model, {104, 98}, {}), CursorCode::SizeAll);
    EXPECT_TRUE(drag.move(model, {200.7, 150.2}, true));
    drag.release(model);
    const CrossLineList& l = model.list(kFirst);
    EXPECT_EQ(l[0].Pos_x, 200);
    EXPECT_EQ(l[0].Pos_y, 150);
    EXPECT_EQ(l[1].Pos_x, 50);
    EXPECT_EQ(l[2].Pos_y, 40);
    EXPECT_EQ(CrossLineAbsolute(l, 1).x, 250);
    EXPECT_FALSE(drag.dragging());
}

TEST(CrossLineDrag, SlaveTakesMouseMinusMaster) {
    CrossLineModel model;
    model.list(kFirst) = {Entry(100, 100), Entry(50, 0)};
    CrossLineDrag drag;
    ASSERT_NE(drag.press(model, {150, 101}, {}), 0);
    EXPECT_EQ(drag.heldIndex(), 1u);
    drag.move(model, {170, 90}, true);
    EXPECT_EQ(model.list(kFirst)[1].Pos_x, 70);
    EXPECT_EQ(model.list(kFirst)[1].Pos_y, -10);
    EXPECT_EQ(model.list(kFirst)[0].Pos_x, 100);
}

TEST(CrossLineDrag, SlaveOnTheMasterIsHeldOnlyWhenSelected) {
    struct Case {
        const char* name;
        CrossLineWindowState window;
        std::size_t held;
    } cases[] = {
        {"window hidden", {false, kFirst, 2}, 0},
        {"other tab shown", {true, kSecond, 2}, 0},
        {"selected slave on the master", {true, kFirst, 2}, 2},
        {"selected slave elsewhere", {true, kFirst, 1}, 0},
        {"master selected", {true, kFirst, 0}, 0},
        {"no row", {true, kFirst, -1}, 0},
    };
    for (const Case& c : cases) {
        CrossLineModel model;
        model.list(kFirst) = {Entry(100, 100), Entry(30, 0), Entry(0, 0)};
        CrossLineDrag drag;
        ASSERT_NE(drag.press(model, {101, 100}, c.window), 0) << c.name;
        EXPECT_EQ(drag.heldIndex(), c.held) << c.name;
        drag.move(model, {120, 130}, true);
        const CrossLineList& l = model.list(kFirst);
        if (c.held == 2) {
            EXPECT_EQ(l[0].Pos_x, 100) << c.name;
            EXPECT_EQ(l[2].Pos_x, 20) << c.name;
            EXPECT_EQ(l[2].Pos_y, 30) << c.name;
        } else {
            EXPECT_EQ(l[0].Pos_x, 120) << c.name;
            EXPECT_EQ(l[2].Pos_x, 0) << c.name;
        }
    }
}

TEST(CrossLineDrag, RimBeforeCentreAndHiddenOrUndefinedAreNotCaught) {
    CrossLineModel model;
    model.list(kFirst) = {Entry(0, 0, 0)}; // hidden master hides the list
    CROSSLINE pending = Entry(300, 300);   // still waiting for clicks
    model.list(kSecond) = {Circle(100, 100, 5), pending};
    CrossLineDrag drag;
    // 12 pixels from the centre: |m - c| - 10 <= 5 < |m - c| + 10, the rim.
    const int cursor = drag.press(model, {112, 100}, {});
    EXPECT_EQ(cursor, 0); // horizontal from the centre: no arrow, cursor stays
    EXPECT_TRUE(drag.dragging());
    EXPECT_EQ(model.list(kSecond)[0].rimHeld, 1);
    drag.move(model, {100, 130}, true);
    EXPECT_FLOAT_EQ(model.list(kSecond)[0].Radius, 30.0f);
    EXPECT_EQ(model.list(kSecond)[0].Pos_x, 100);
    drag.release(model);
    EXPECT_EQ(model.list(kSecond)[0].rimHeld, 0);

    EXPECT_EQ(drag.press(model, {120, 120}, {}), DirectionCursor({100, 100}, {120, 120}));
    drag.release(model);
    EXPECT_EQ(drag.press(model, {0, 0}, {}), 0);     // the hidden first list
    EXPECT_EQ(drag.press(model, {400, 300}, {}), 0); // not yet a circle
    EXPECT_FALSE(drag.dragging());
}

TEST(CrossLineDrag, MoveOutsideThePictureEndsTheDrag) {
    CrossLineModel model;
    model.list(kFirst) = {Entry(100, 100)};
    CrossLineDrag drag;
    ASSERT_NE(drag.press(model, {100, 100}, {}), 0);
    EXPECT_FALSE(drag.move(model, {5000, 100}, false));
    EXPECT_FALSE(drag.dragging());
    EXPECT_FALSE(drag.move(model, {50, 50}, true));
    EXPECT_EQ(model.list(kFirst)[0].Pos_x, 100);
}

// ---- circle clicks --------------------------------------------------------

TEST(CrossLineCircle, ThreeClicksDefineTheCircleOneEntryPerClick) {
    CrossLineModel model;
    CROSSLINE defined = Circle(10, 10, 5);
    model.list(kSecond) = {defined, Entry(320, 240), Entry(0, 0)};
    int snapped = 0;
    const auto snap = [&](const DPOINT& p) {
        ++snapped;
        return DPOINT{p.x + 0.9, p.y};
    };
    EXPECT_FALSE(ApplyCircleClick(model, {1, 1}, false, snap).taken);
    const DPOINT clicks[] = {{139.5, 100}, {100, 60}, {60, 100}};
    for (int k = 0; k < 3; ++k) {
        const CircleClickResult r = ApplyCircleClick(model, clicks[k], true, snap);
        EXPECT_TRUE(r.taken);
        EXPECT_EQ(r.completed, k == 2);
    }
    EXPECT_EQ(snapped, 3);
    const CrossLineList& l = model.list(kSecond);
    EXPECT_EQ(l[1].points[0].x, 140); // snapped, then truncated
    EXPECT_EQ(l[1].Mode, 3);
    EXPECT_EQ(l[2].Mode, 0); // only one entry takes a click
    // Centre (100, 100) radius 40; the slave keeps it as an offset from the master.
    EXPECT_EQ(l[1].Pos_x, 90);
    EXPECT_EQ(l[1].Pos_y, 90);
    EXPECT_NEAR(l[1].Radius, 40.0, 1e-4);
    EXPECT_EQ(l[0].Pos_x, 10);
    // The next click goes to the next entry still waiting.
    ApplyCircleClick(model, {5, 5}, true);
    EXPECT_EQ(l[2].Mode, 1);
}

// ---- the window's logic ---------------------------------------------------

TEST(CrossLineForm, RowTextsAndNumbers) {
    EXPECT_EQ(CrossLineRowTexts(3), (std::vector<std::string>{"Master", "Slave_1", "Slave_2"}));
    CrossLineModel model;
    model.list(kSecond) = {Circle(10, 20, 1.75f)};
    const double mppX = 0.5, mppY = 2.0;
    CrossLineForm form(model);
    form.setCalibration(&mppX, &mppY);
    form.showTab(kSecond);
    const CrossLineFields f = form.fields();
    EXPECT_EQ(f.x, "10");
    EXPECT_EQ(f.calX, "5");
    EXPECT_EQ(f.calY, "40");
    EXPECT_EQ(f.diameter, "3.5");
    EXPECT_EQ(f.calDiameter, "1.75");
    EXPECT_EQ(f.calDiameterY, "7");
    EXPECT_EQ(f.distXY, "0"); // row 0 against itself

    form.showTab(kFirst);
    model.list(kFirst).clear();
    form.showTab(kFirst);
    const CrossLineFields none = form.fields();
    EXPECT_EQ(none.x, "0");
    EXPECT_EQ(none.size, "1");
    EXPECT_EQ(none.transparency, "100");
    EXPECT_EQ(none.diameter, "");
    EXPECT_EQ(none.distX, "");
}

TEST(CrossLineForm, DistanceIsCalibratedAndZeroToItself) {
    CrossLineModel model;
    model.list(kFirst) = {Entry(100, 100), Entry(30, 40), Entry(-10, 0)};
    const double mppX = 0.1, mppY = 0.1;
    CrossLineForm form(model);
    form.setCalibration(&mppX, &mppY);
    form.showTab(kFirst);
    struct Case {
        int a, b;
        const char *x, *y, *xy;
    } cases[] = {
        {1, 1, "0", "0", "0"},
        {0, 1, "3", "4", "5"},
        {1, 0, "-3", "-4", "5"},
        {2, 1, "4", "4", "5.66"},
    };
    for (const Case& c : cases) {
        form.selectRow(c.a);
        form.selectDistanceRow(c.b);
        const CrossLineFields f = form.fields();
        EXPECT_EQ(f.distX, c.x);
        EXPECT_EQ(f.distY, c.y);
        EXPECT_EQ(f.distXY, c.xy);
    }
}

TEST(CrossLineForm, SubKeepsTheMasters) {
    struct Case {
        const char* name;
        int tab;
        std::size_t count;
        int row;
        bool removed;
        int selectedAfter;
    } cases[] = {
        {"first list master", kFirst, 3, 0, false, 0},
        {"first list slave", kFirst, 3, 2, true, 1},
        {"first list lone master", kFirst, 1, 0, false, 0},
        {"second list master with slaves", kSecond, 3, 0, false, 0},
        {"second list slave", kSecond, 3, 1, true, 0},
        {"second list lone master", kSecond, 1, 0, true, -1},
    };
    for (const Case& c : cases) {
        CrossLineModel model;
        model.list(c.tab).assign(c.count, Entry(0, 0));
        CrossLineForm form(model);
        form.showTab(c.tab);
        form.selectRow(c.row);
        EXPECT_EQ(form.sub(), c.removed) << c.name;
        EXPECT_EQ(model.list(c.tab).size(), c.count - (c.removed ? 1 : 0)) << c.name;
        if (c.removed) {
            EXPECT_EQ(form.selectedRow(), c.selectedAfter) << c.name;
            EXPECT_EQ(form.edited() == nullptr, c.selectedAfter < 0) << c.name;
        }
    }
}

TEST(CrossLineForm, AddTakesTheWindowsValuesAndTheEditedColour) {
    CrossLineModel model;
    CROSSLINE master = Entry(10, 10);
    master.Color = RGB(1, 2, 3);
    model.list(kFirst) = {master};
    CrossLineForm form(model);
    form.showTab(kFirst);
    form.editSize("4");
    form.editTransparency("60");
    form.editType(1);
    form.add("Please click three points");
    const CrossLineList& l = model.list(kFirst);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(form.selectedRow(), 1);
    EXPECT_EQ(l[1].Pos_x, 0);
    EXPECT_EQ(l[1].Size, 4);
    EXPECT_EQ(l[1].Draw, 60);
    EXPECT_EQ(l[1].Type, 1);
    EXPECT_EQ(l[1].Color, RGB(1, 2, 3));
    EXPECT_EQ(form.message(), "");

    form.showTab(kSecond);
    form.add("Please click three points");
    const CROSSLINE& c = model.list(kSecond)[0];
    EXPECT_EQ(c.Pos_x, 320);
    EXPECT_EQ(c.Pos_y, 240);
    EXPECT_EQ(c.Size, 1);
    EXPECT_EQ(c.Draw, 100);
    EXPECT_EQ(c.Color, kCrossLineGreen); // nothing was being edited
    EXPECT_FLOAT_EQ(c.Radius, 50.0f);
    EXPECT_EQ(form.message(), "Please click three points");
    EXPECT_EQ(form.rows(), (std::vector<std::string>{"Master"}));
}

TEST(CrossLineForm, OwnWritesAreIgnoredAndDiametersSetTheRadius) {
    CrossLineModel model;
    model.list(kSecond) = {Circle(0, 0, 10)};
    const double mpp = 0.25;
    CrossLineForm form(model);
    form.setCalibration(&mpp, &mpp);
    form.showTab(kSecond);
    {
        CrossLineForm::Writing writing(form);
        EXPECT_FALSE(form.editX("55"));
    }
    EXPECT_EQ(model.list(kSecond)[0].Pos_x, 0);
    EXPECT_TRUE(form.editDiameter("30", false));
    EXPECT_FLOAT_EQ(model.list(kSecond)[0].Radius, 15.0f);
    EXPECT_TRUE(form.editCalibratedDiameter("5", false));
    EXPECT_FLOAT_EQ(model.list(kSecond)[0].Radius, 10.0f);
    EXPECT_EQ(form.fields().diameter, "20");
    const double zero = 0.0;
    form.setCalibration(&zero, &zero);
    EXPECT_FALSE(form.editCalibratedDiameter("5", false));
    EXPECT_FLOAT_EQ(model.list(kSecond)[0].Radius, 10.0f);
}

// ---- settings -------------------------------------------------------------

TEST(CrossLineSettings, RoundTripOfBothLists) {
    TempDir dir;
    Profile profile(dir.file("Mirelta.ini"));
    CrossLineModel model;
    CROSSLINE a = Entry(11, 22);
    a.Type = 1;
    a.Color = RGB(10, 20, 30);
    a.Size = 7;
    a.Draw = 45;
    model.list(kFirst) = {a, Entry(-5, 6, 0)};
    CROSSLINE c = Circle(300, 200, 12.5f);
    model.list(kSecond) = {c, Circle(4, -4, 3.25f)};
    ASSERT_TRUE(SaveCrossLines(profile, model));

    CrossLineModel back;
    back.list(kFirst) = {Entry(1, 1), Entry(2, 2), Entry(3, 3)};
    LoadCrossLines(profile, back);
    ASSERT_EQ(back.list(kFirst).size(), 2u);
    ASSERT_EQ(back.list(kSecond).size(), 2u);
    const CROSSLINE& a2 = back.list(kFirst)[0];
    EXPECT_EQ(a2.Pos_x, 11);
    EXPECT_EQ(a2.Type, 1);
    EXPECT_EQ(a2.Color, RGB(10, 20, 30));
    EXPECT_EQ(a2.Size, 7);
    EXPECT_EQ(a2.Draw, 45);
    EXPECT_EQ(back.list(kFirst)[1].Show, 0);
    EXPECT_EQ(back.list(kFirst)[1].Pos_x, -5);
    EXPECT_FLOAT_EQ(back.list(kSecond)[0].Radius, 12.5f);
    EXPECT_EQ(back.list(kSecond)[0].Mode, 3);
    EXPECT_FLOAT_EQ(back.list(kSecond)[1].Radius, 3.25f);

    // The keys and their formats as the file holds them.
    std::ifstream in(dir.file("Mirelta.ini"));
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[CROSSLINE]"), std::string::npos);
    EXPECT_NE(text.find("[CROSSLINE2]"), std::string::npos);
    EXPECT_NE(text.find("Color_0=1971210"), std::string::npos);
    EXPECT_NE(text.find("Radius_0=12.500000"), std::string::npos);
    EXPECT_NE(text.find("Mode_1=3"), std::string::npos);
    EXPECT_NE(text.find("Pos_x_1=-5"), std::string::npos);
}

TEST(CrossLineSettings, NoCountGivesTheHiddenDefaultMaster) {
    TempDir dir;
    Profile profile(dir.file("Mirelta.ini"));
    CrossLineModel model;
    model.list(kSecond) = {Circle(1, 1, 1)};
    LoadCrossLines(profile, model);
    ASSERT_EQ(model.list(kFirst).size(), 1u);
    const CROSSLINE& m = model.list(kFirst)[0];
    EXPECT_EQ(m.Show, 0);
    EXPECT_EQ(m.Pos_x, 640);
    EXPECT_EQ(m.Pos_y, 480);
    EXPECT_EQ(m.Color, kCrossLineGreen);
    EXPECT_EQ(m.Size, 1);
    EXPECT_EQ(m.Draw, 100);
    EXPECT_TRUE(model.list(kSecond).empty());
}

TEST(CrossLineSettings, DamagedValuesAreBroughtIntoRange) {
    TempDir dir;
    {
        std::ofstream out(dir.file("Mirelta.ini"));
        out << "[CROSSLINE]\nCount=2000000000\nShow_0=7\nSize_0=0\nDraw_0=900\nType_0=5\n"
               "[CROSSLINE2]\nCount=3\nMode_0=-4\nRadius_0=nan\nMode_1=2\nRadius_1=-3\n"
               "Mode_2=99\nSize_2=55\nRadius_2=1e300\n";
    }
    Profile profile(dir.file("Mirelta.ini"));
    CrossLineModel model;
    LoadCrossLines(profile, model);
    ASSERT_EQ(model.list(kFirst).size(), static_cast<std::size_t>(kMaxCrossLines));
    const CROSSLINE& a = model.list(kFirst)[0];
    EXPECT_EQ(a.Show, 1);
    EXPECT_EQ(a.Size, 1);
    EXPECT_EQ(a.Draw, 100);
    EXPECT_EQ(a.Type, 0);
    const CrossLineList& l = model.list(kSecond);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].Mode, 0);
    EXPECT_EQ(l[0].Radius, 0.0f);
    EXPECT_EQ(l[1].Mode, 0); // the clicks are not stored: a half-made circle starts again
    EXPECT_EQ(l[1].Radius, 0.0f);
    EXPECT_EQ(l[2].Mode, 3);
    EXPECT_EQ(l[2].Size, 10);
    EXPECT_EQ(l[2].Radius, 0.0f);
    // A damaged Mode can still be clicked on without running past the clicks.
    EXPECT_TRUE(ApplyCircleClick(model, {1, 2}, true).taken);
}
