#include "images/dib_image.h"
#include "images/grey_convert.h"
#include "settings/app_settings.h"
#include "view/direction_cursor.h"
#include "view/focus_area.h"
#include "view/focus_areas.h"
#include "view/focus_bars.h"
#include "view/focus_line.h"
#include "view/focus_profile.h"
#include "view/overlay_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CDibImage Filled(int w, int h, COLORREF c, int bits = 24) {
    CDibImage image;
    image.create(w, h, bits);
    image.fillRect(c);
    return image;
}

void SetPixel(CDibImage& image, int x, int y, COLORREF c) {
    std::uint8_t* p = image.scanLine(y) + x * image.bytesPerPixel();
    p[0] = static_cast<std::uint8_t>(GetBValue(c));
    p[1] = static_cast<std::uint8_t>(GetGValue(c));
    p[2] = static_cast<std::uint8_t>(GetRValue(c));
}

// Columns from `edge` on take the colour.
CDibImage Edge(int w, int h, int edge, COLORREF c) {
    CDibImage image = Filled(w, h, RGB(0, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = edge; x < w; ++x)
            SetPixel(image, x, y, c);
    return image;
}

OverlayMapping Map(int w, int h, double s = 1.0, double offX = 0.0) {
    OverlayMapping m;
    m.sx = m.sy = s;
    m.offX = offX;
    m.imageWidth = w;
    m.imageHeight = h;
    return m;
}

std::vector<IntRect> Bands(const OverlayList& list) {
    std::vector<IntRect> out;
    for (const OverlayItem& item : list.items())
        if (item.type == OverlayItemType::Band)
            out.push_back(item.bounds);
    return out;
}

// Bar height per area column, read back from the bands.
std::vector<int> BarHeights(const OverlayList& list, int areaWidth) {
    std::vector<int> h(static_cast<std::size_t>(areaWidth), 0);
    for (const IntRect& r : Bands(list))
        for (int c = r.left; c < r.right; ++c)
            h[static_cast<std::size_t>(c)] = r.height();
    return h;
}

} // namespace

// ---- focus line profile ---------------------------------------------------

TEST(FocusProfile, UniformPicturesGiveAFlatProfileAndAreaValueZero) {
    for (COLORREF c : {RGB(0, 0, 0), RGB(255, 255, 255), RGB(12, 200, 77)}) {
        for (int bits : {24, 32}) {
            const CDibImage image = Filled(64, 40, c, bits);
            FocusProfile profile;
            ASSERT_TRUE(profile.compute(image, 20));
            EXPECT_EQ(profile.values(), std::vector<std::int32_t>(64, 0));
            CDibImage scratch;
            EXPECT_EQ(FocusAreaValueOfColour(image, {5, 5, 45, 35}, scratch), 0);
            CDibImage grey;
            grey.create(64, 40, 8);
            ToGrey8(image, grey);
            EXPECT_EQ(FocusAreaValue(grey, {5, 5, 45, 35}), 0);
        }
    }
}

TEST(FocusProfile, SmoothingUsesTheOldLeftValueAndTheLineBrightness) {
    struct Case {
        COLORREF colour;
        std::vector<std::int32_t> want;
    } cases[] = {
        // s = 4 Y; |Gx| = 1020 at columns 3 and 4; (old left + p + right) / 3.
        {RGB(255, 255, 255), {0, 0, 340, 680, 680, 340, 0, 0}},
        // Red weighs 30: Y = 76, |Gx| = 304.
        {RGB(255, 0, 0), {0, 0, 101, 202, 202, 101, 0, 0}},
        // Blue weighs 11: Y = 28, |Gx| = 112.
        {RGB(0, 0, 255), {0, 0, 37, 74, 74, 37, 0, 0}},
    };
    for (const Case& c : cases) {
        FocusProfile profile;
        ASSERT_TRUE(profile.compute(Edge(8, 5, 4, c.colour), 1));
        EXPECT_EQ(profile.values(), c.want);
    }
}

TEST(FocusProfile, OnlyRowsWithNeighboursAndTheLineSwitchedOn) {
    const CDibImage image = Edge(8, 6, 4, RGB(255, 255, 255));
    ColorSettings color;
    color.focusflg = 1;
    struct Case {
        int row;
        bool computed;
    } cases[] = {{0, false}, {1, true}, {3, true}, {4, false}, {-5, false}, {99, false}};
    for (const Case& c : cases) {
        FocusProfile profile;
        color.focuspos = c.row;
        EXPECT_EQ(profile.update(image, color), c.computed) << c.row;
        EXPECT_EQ(profile.values().empty(), !c.computed) << c.row;
    }
    color.focusflg = 0;
    color.focuspos = 2;
    FocusProfile off;
    EXPECT_FALSE(off.update(image, color));
}

TEST(FocusProfile, PeakHoldsUntilCleared) {
    FocusProfile profile;
    profile.compute(Edge(8, 5, 4, RGB(255, 255, 255)), 2);
    profile.compute(Filled(8, 5, RGB(9, 9, 9)), 2);
    EXPECT_EQ(profile.values()[3], 0);
    EXPECT_EQ(profile.peak()[3], 680);
    ColorSettings color;
    ToggleFocusLine(color, profile);
    EXPECT_EQ(color.focusflg, 1);
    EXPECT_EQ(profile.peak()[3], 0);
    ToggleFocusLine(color, profile);
    EXPECT_EQ(color.focusflg, 0);
}

TEST(FocusProfile, ColumnsBeyond5000HaveNoProfileAndNoPeak) {
    // The edge sits at the buffer's end: the last column is smoothed as in a narrower
    // picture, and nothing is written past it.
    FocusProfile profile;
    ASSERT_TRUE(profile.compute(Edge(5100, 4, 5000, RGB(255, 255, 255)), 1));
    ASSERT_EQ(profile.values().size(), 5000u);
    EXPECT_EQ(profile.values()[4998], 340);
    EXPECT_EQ(profile.values()[4999], 680);
    EXPECT_EQ(profile.peak()[4999], 680);
}

// ---- bars over the picture ------------------------------------------------

TEST(FocusBars, RiseFromTheBottomOrHangFromTheTopByTheLinesHalf) {
    struct Case {
        int focuspos;
        bool hang;
    } cases[] = {{10, false}, {49, false}, {50, true}, {90, true}};
    const CDibImage image = Edge(40, 100, 20, RGB(255, 255, 255));
    for (const Case& c : cases) {
        ColorSettings color;
        color.focusflg = 1;
        color.focuspos = c.focuspos;
        FocusProfile profile;
        ASSERT_TRUE(profile.update(image, color));
        OverlayList list;
        AppendFocusProfile(list, Map(40, 100), 40, 100, profile, color);
        const std::vector<IntRect> bands = Bands(list);
        ASSERT_FALSE(bands.empty());
        for (const IntRect& r : bands) {
            if (c.hang)
                EXPECT_EQ(r.top, 0) << c.focuspos;
            else
                EXPECT_EQ(r.bottom, 100) << c.focuspos;
        }
    }
}

TEST(FocusBars, GainMultipliesAndTheAreaHeightCaps) {
    // Column 19 of the edge has 160 at x1; with the area 400 high nothing is capped.
    const CDibImage image = Edge(40, 10, 20, RGB(60, 60, 60)); // Y 60: 4 * 60 = 240
    FocusProfile profile;
    ASSERT_TRUE(profile.compute(image, 4));
    ASSERT_EQ(profile.values()[19], 160);
    struct Case {
        int scale;
        int areaHeight;
        int want;
    } cases[] = {
        {0, 400, 160}, {5, 400, 320},   {20, 1000, 800},
        {5, 200, 199}, {99, 1000, 800}, {-3, 400, 160},
    };
    for (const Case& c : cases) {
        ColorSettings color;
        color.focusscale = c.scale;
        OverlayList list;
        AppendFocusProfile(list, Map(40, 10), 40, c.areaHeight, profile, color);
        EXPECT_EQ(BarHeights(list, 40)[19], c.want) << c.scale << " " << c.areaHeight;
    }
    EXPECT_EQ(FocusBarHeight(100, 2.0, 150), 149);
}

TEST(FocusBars, AreaColumnsMapToImageColumns) {
    // Every image column gets its index as its value, so a bar tells its column.
    struct Case {
        const char* name;
        double s, offX;
        std::vector<int> want; // image column shown at area columns 0 ... 5, -1 for none
    } cases[] = {
        {"fitted, twice the picture", 2.0, 0.0, {0, 0, 1, 1, 2, 2}},
        {"x1 scrolled: t truncated", 1.0, -10.7, {10, 11, 12, 13, 14, 15}},
        {"x2 scrolled", 2.0, -3.5, {3, 3, 4, 4, 5, 5}},
        {"x1 past the end", 1.0, -36.0, {36, 37, 38, 39, -1, -1}},
    };
    FocusProfile profile;
    // A ramp: brightness 0, 4, 8, ... gives |Gx| = 32 everywhere inside, smoothed 32.
    CDibImage image = Filled(40, 5, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 40; ++x)
            SetPixel(image, x, y, RGB(4 * x, 4 * x, 4 * x));
    ASSERT_TRUE(profile.compute(image, 2));
    for (const Case& c : cases) {
        ColorSettings color;
        OverlayList list;
        AppendFocusProfile(list, Map(40, 5, c.s, c.offX), 6, 1000, profile, color);
        const std::vector<int> h = BarHeights(list, 6);
        for (int col = 0; col < 6; ++col) {
            const int ic = c.want[static_cast<std::size_t>(col)];
            const int want = ic < 0 ? 0 : profile.values()[static_cast<std::size_t>(ic)];
            EXPECT_EQ(h[static_cast<std::size_t>(col)], want) << c.name << " column " << col;
        }
    }
}

TEST(FocusBars, PeakCurveInTheCompanionColourAboveTheBars) {
    FocusProfile profile;
    profile.compute(Edge(8, 5, 4, RGB(255, 255, 255)), 2);
    profile.compute(Filled(8, 5, 0), 2); // bars 0, peaks stay
    ColorSettings color;
    color.focuspos = 1;
    OverlayList list;
    AppendFocusProfile(list, Map(8, 5), 8, 1000, profile, color);
    ASSERT_EQ(list.items().size(), 1u);
    const OverlayItem& curve = list.items()[0];
    EXPECT_EQ(curve.type, OverlayItemType::Polyline);
    EXPECT_EQ(curve.colour, CompanionColour(color.wave));
    ASSERT_EQ(curve.points.size(), 8u);
    EXPECT_EQ(curve.points[3], (OverlayPoint{3, 999 - 680}));
    EXPECT_EQ(curve.points[0], (OverlayPoint{0, 999}));
}

// ---- moving the focus line ------------------------------------------------

TEST(FocusLine, HeldWithinTenRowsAndLetGoOnRelease) {
    ColorSettings color;
    color.focusflg = 1;
    color.focuspos = 240;
    EXPECT_EQ(FocusLinePress(color, {5, 250}), 0); // 10 rows away
    EXPECT_EQ(FocusLinePress(color, {5, 230.5}), CursorCode::SizeVertical);
    EXPECT_EQ(color.focusflg, 2);
    EXPECT_TRUE(FocusLineMove(color, {5, 300.8}, true));
    EXPECT_EQ(color.focuspos, 300);
    EXPECT_TRUE(FocusLineMove(color, {5, 9000}, false)); // outside: stays put, still held
    EXPECT_EQ(color.focuspos, 300);
    FocusLineRelease(color);
    EXPECT_EQ(color.focusflg, 1);

    // A line that is off is neither caught nor switched on by the release.
    color.focusflg = 0;
    EXPECT_EQ(FocusLinePress(color, {5, 300}), 0);
    FocusLineRelease(color);
    EXPECT_EQ(color.focusflg, 0);
}

// ---- focus areas ----------------------------------------------------------

TEST(FocusArea, GripTable) {
    const IntRect r{100, 100, 200, 160};
    struct Case {
        int x, y, grip, cursor;
    } cases[] = {
        {90, 90, FocusGrip::TopLeft, CursorCode::SizeNwSe},
        {109, 109, FocusGrip::TopLeft, CursorCode::SizeNwSe},
        {95, 155, FocusGrip::BottomLeft, CursorCode::SizeNeSw},
        {195, 95, FocusGrip::TopRight, CursorCode::SizeNeSw},
        {209, 169, FocusGrip::BottomRight, CursorCode::SizeNwSe},
        {110, 90, FocusGrip::Top, CursorCode::SizeVertical},
        {189, 109, FocusGrip::Top, CursorCode::SizeVertical},
        {150, 165, FocusGrip::Bottom, CursorCode::SizeVertical},
        {100, 110, FocusGrip::Left, CursorCode::SizeHorizontal},
        {109, 149, FocusGrip::Left, CursorCode::SizeHorizontal},
        {205, 130, FocusGrip::Right, CursorCode::SizeHorizontal},
        {89, 100, FocusGrip::None, 0}, // range starts are included, ends not
        {210, 130, FocusGrip::None, 0},
        {150, 170, FocusGrip::None, 0},
        {150, 130, FocusGrip::None, 0}, // inside
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FocusGripAt(r, c.x, c.y), c.grip) << c.x << "," << c.y;
        EXPECT_EQ(FocusGripCursor(c.grip), c.cursor) << c.grip;
    }
}

TEST(FocusArea, InscribedCircleOnly) {
    // One bright pixel beside the rectangle's corner reaches only the corner pixel,
    // which lies outside the circle; one beside the left side's middle reaches three
    // pixels inside it: (141.42 + 200 + 141.42) / 3 = 160.9.
    struct Case {
        int x, y, want;
    } cases[] = {{10, 10, 0}, {10, 15, 160}};
    for (const Case& c : cases) {
        CDibImage image = Filled(40, 40, 0);
        SetPixel(image, c.x, c.y, RGB(100, 100, 100));
        CDibImage grey;
        grey.create(40, 40, 8);
        ToGrey8(image, grey);
        EXPECT_EQ(FocusAreaValue(grey, {10, 10, 20, 20}), c.want) << c.x << "," << c.y;
        CDibImage scratch;
        EXPECT_EQ(FocusAreaValueOfColour(image, {10, 10, 20, 20}, scratch), c.want);
    }
}

TEST(FocusArea, ColourShortcutMatchesTheGreyPicture) {
    CDibImage image = Filled(64, 48, 0);
    unsigned seed = 7;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            seed = seed * 1103515245u + 12345u;
            SetPixel(image, x, y, static_cast<COLORREF>(seed >> 8) & 0xFFFFFFu);
        }
    CDibImage grey;
    grey.create(64, 48, 8);
    ToGrey8(image, grey);
    CDibImage scratch;
    const IntRect rects[] = {{5, 5, 30, 40},   {0, 0, 64, 48},   {-20, -10, 15, 20},
                             {50, 30, 90, 70}, {10, 10, 11, 11}, {30, 30, 10, 10}};
    for (const IntRect& r : rects) {
        EXPECT_EQ(FocusAreaValueOfColour(image, r, scratch), FocusAreaValue(grey, r))
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    EXPECT_GT(FocusAreaValue(grey, rects[0]), 0);
}

TEST(FocusAreas, ArmDrawAndCaptionsCountEmptySlots) {
    FocusAreas areas;
    EXPECT_FALSE(areas.press({1, 1})); // not armed
    const auto make = [&](DPOINT a, DPOINT b) {
        areas.arm();
        EXPECT_TRUE(areas.lampOn());
        EXPECT_TRUE(areas.press(a));
        EXPECT_TRUE(areas.lampOn());
        EXPECT_TRUE(areas.track(b));
        const auto index = areas.release(b);
        EXPECT_FALSE(areas.lampOn());
        EXPECT_EQ(areas.drawing().state, FocusAreaState::Empty);
        return index;
    };
    ASSERT_EQ(make({50.7, 60}, {10, 20.9}), 0u);
    EXPECT_EQ(areas.areas()[0].rect, (IntRect{10, 20, 50, 60}));
    EXPECT_EQ(areas.caption(), "1");
    make({0, 0}, {5, 5});
    make({0, 0}, {7, 7});
    EXPECT_EQ(areas.caption(), "3");

    areas.close(1);
    EXPECT_EQ(areas.areas()[1].state, FocusAreaState::Closing);
    EXPECT_EQ(areas.finishClosing(), std::vector<std::size_t>{1});
    EXPECT_EQ(areas.areas()[1].state, FocusAreaState::Empty);
    EXPECT_EQ(areas.areas()[0].state, FocusAreaState::Defined);
    EXPECT_EQ(areas.areas()[2].state, FocusAreaState::Defined);
    make({0, 0}, {9, 9});
    EXPECT_EQ(areas.caption(), "4");
    EXPECT_TRUE(areas.finishClosing().empty());
}

TEST(FocusAreas, ResizingByGripsNormalisesOnRelease) {
    FocusAreas areas;
    areas.arm();
    areas.press({100, 100});
    areas.release({200, 160});
    EXPECT_EQ(areas.gripPress({150, 130}), 0);
    EXPECT_EQ(areas.gripPress({100, 130}), CursorCode::SizeHorizontal);
    EXPECT_EQ(areas.areas()[0].state, FocusAreaState::Resizing);
    EXPECT_TRUE(areas.gripMove({250, 10}));
    EXPECT_EQ(areas.areas()[0].rect, (IntRect{250, 100, 200, 160}));
    areas.gripRelease();
    EXPECT_EQ(areas.areas()[0].state, FocusAreaState::Defined);
    EXPECT_EQ(areas.areas()[0].rect, (IntRect{200, 100, 250, 160}));
    EXPECT_FALSE(areas.gripMove({1, 1}));
}

TEST(FocusAreas, ValuesPeaksAndTheScaleChange) {
    FocusAreas areas;
    for (int k = 0; k < 2; ++k) {
        areas.arm();
        areas.press({5.0 + 20 * k, 5});
        areas.release({20.0 + 20 * k, 30});
    }
    areas.updateValues(Edge(50, 40, 12, RGB(200, 200, 200)));
    const std::int32_t sharp = areas.areas()[0].value;
    EXPECT_GT(sharp, 0);
    EXPECT_EQ(areas.areas()[1].value, 0);
    areas.updateValues(Edge(50, 40, 12, RGB(20, 20, 20)));
    EXPECT_LT(areas.areas()[0].value, sharp);
    EXPECT_EQ(areas.areas()[0].peak, sharp);

    std::int32_t focusSelect = 0;
    areas.areas()[1].peak = 50;
    areas.changeScale(0, 2, focusSelect);
    EXPECT_EQ(focusSelect, 2);
    EXPECT_EQ(areas.areas()[0].peak, areas.areas()[0].value);
    EXPECT_EQ(areas.areas()[1].peak, 50); // the other area keeps its peak
}

TEST(FocusAreas, OutlinesRubberBandAndActiveColour) {
    ColorSettings color;
    color.wavesize = 3;
    FocusAreas areas;
    areas.arm();
    areas.press({0, 0});
    areas.release({10, 10});
    areas.arm();
    areas.press({20, 20});
    areas.track({30, 40});
    areas.setActive(0, true);
    OverlayList list;
    areas.appendOverlay(list, Map(100, 100), color);
    ASSERT_EQ(list.items().size(), 8u);
    EXPECT_EQ(list.items()[0].colour, color.wave); // the rubber band first
    EXPECT_EQ(list.items()[0].points[1], (OverlayPoint{30, 20}));
    EXPECT_EQ(list.items()[4].colour, CompanionColour(color.wave));
    EXPECT_EQ(list.items()[4].width, 3);
    areas.close(0);
    OverlayList closing;
    areas.appendOverlay(closing, Map(100, 100), color);
    EXPECT_EQ(closing.items().size(), 4u);
}

// ---- focus window ---------------------------------------------------------

TEST(FocusWindow, ScaleRowsAndBarFill) {
    const std::vector<std::string> rows = FocusScaleRows();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows.front(), "1");
    EXPECT_EQ(rows.back(), "10");
    struct Case {
        int value, row, height, top;
    } cases[] = {
        {200, 2, 200, 0}, // above the maximum 128: the whole height
        {128, 2, 200, 0},   {64, 2, 200, 100},
        {100, 0, 210, 127}, // (255 - 100) * 210 / 255 = 127.6
        {0, 9, 200, 200},   {-5, 9, 200, 200},
        {6, 99, 200, 100}, // rows beyond the list take the last (12)
    };
    for (const Case& c : cases)
        EXPECT_EQ(FocusBarTop(c.value, FocusScaleMaximum(c.row), c.height), c.top)
            << c.value << " row " << c.row;

    const FocusWindowBars bars = FocusBarsFor(55, 240, 40, 200, 64, 2, RGB(255, 128, 0));
    EXPECT_EQ(bars.value, (IntRect{0, 0, 55, 200}));
    EXPECT_EQ(bars.peak, (IntRect{0, 100, 55, 200}));
    EXPECT_EQ(bars.peakColour, RGB(0, 128, 255));
    EXPECT_EQ(FocusWindowPosition(300, 120).x, 310);
}
