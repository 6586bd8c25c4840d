#include "app/main_dialog_template.h"
#include "app/main_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct Expect {
    int id;
    int distance96; // at 96 dpi with a 50-wide LIVE button and an 80-wide calibration combo
};

TEST(MainLayout, RightEdgeDistancesFollowTheThreeColumns) {
    const DpiScale s96;
    // a = 7 + 11 = 18, b = a + 50 + 11 = 79, c = a + 2 * 61 = 140
    constexpr std::array<Expect, 14> cases{{
        {idc::LoadImageGroup, 11}, {idc::InstrumentGroup, 11}, {idc::SaveDir, 18},
        {idc::CalibCombo, 18},     {idc::ScreenScaleLabel, 18}, {idc::SaveImage, 79},
        {idc::LoadResults, 79},    {idc::Live, 140},        {idc::Csv, 140},
        {idc::CalibLabel, 98},     {idc::EdgeSnapButton, 46}, {idc::EdgeSnapCheck, 28},
        {idc::PanelToggle, 0},     {idc::FocusArea, 140},
    }};
    for (const Expect& e : cases)
        EXPECT_EQ(RightEdgeDistance(e.id, s96, 50, 80), e.distance96) << e.id;
    EXPECT_FALSE(RightEdgeDistance(idc::Picture, s96, 50, 80).has_value());
    EXPECT_FALSE(RightEdgeDistance(idc::ResultsList, s96, 50, 80).has_value());
    EXPECT_FALSE(RightEdgeDistance(idc::StripToggle, s96, 50, 80).has_value());
}

TEST(MainLayout, DistancesScaleWithTheScreenDpi) {
    const DpiScale s192{192, 192};
    // Buttons are twice as wide at 192 dpi.
    EXPECT_EQ(RightEdgeDistance(idc::Live, s192, 100, 160), 36 + 2 * (100 + 22));
    EXPECT_EQ(RightEdgeDistance(idc::Aria, s192, 100, 160), 36 + 100 + 22);
    EXPECT_EQ(RightEdgeDistance(idc::Angle, s192, 100, 160), 36);
    const DpiScale s120{120, 120};
    EXPECT_EQ(s120.x(11), 14); // 13.75 rounds up
    EXPECT_EQ(s120.x(7), 9);   // 8.75
}

TEST(MainLayout, ColumnsStayAlignedAtAnyWidth) {
    const DpiScale s;
    for (int client : {800, 1100, 1920}) {
        const int live = *RightAlignedLeft(idc::Live, client, 50, s, 50, 80);
        const int line = *RightAlignedLeft(idc::Line, client, 50, s, 50, 80);
        const int save = *RightAlignedLeft(idc::SaveImage, client, 50, s, 50, 80);
        const int dir = *RightAlignedLeft(idc::SaveDir, client, 50, s, 50, 80);
        EXPECT_EQ(live, line);
        EXPECT_EQ(save - live, 61);
        EXPECT_EQ(dir - save, 61);
        EXPECT_EQ(client - (dir + 50), 18);
    }
}

TEST(MainLayout, EveryControlOfTheTemplateHasAUniqueId) {
    const auto controls = MainDialogControls();
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_NE(controls[i].id, controls[j].id);
    EXPECT_NE(FindControlSpec(idc::Live), nullptr);
    EXPECT_EQ(FindControlSpec(4242), nullptr);
}

} // namespace
