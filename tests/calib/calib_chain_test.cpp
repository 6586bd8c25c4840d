#include "calib/calib_chain.h"
#include "platform/language.h"
#include "platform/profile.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>


namespace {

TEST(CalibChain, TwentyDefaultsOf005MillimetresPerPixel) {
    for (bool japanese : {false, true}) {
        g_bJapanese = japanese;
        CCalibChain chain;
        ASSERT_EQ(chain.GetCount(), 20);
        for (int i = 0; i < 20; ++i) {
            const CALIBRATION* c = chain.At(i);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->id, i);
            EXPECT_EQ(c->unit, 1);
            EXPECT_DOUBLE_EQ(c->mpp.x, 0.05);
            EXPECT_DOUBLE_EQ(c->mpp.y, 0.05);
        }
        EXPECT_EQ(chain.At(0)->name, japanese ? "校正値1" : "Data1");
        EXPECT_EQ(chain.At(19)->name, japanese ? "校正値20" : "Data20");
        EXPECT_EQ(chain.At(20), nullptr);
        EXPECT_EQ(chain.At(-1), nullptr);
    }
    g_bJapanese = false;
}

TEST(CalibChain, ZeroSpanKeepsItsFactor) {
    CALIBRATION c;
    c.length = {5.0, 8.0};
    c.left = c.right = 30.0; // no horizontal span
    c.top = 0;
    c.bottom = 100;
    c.mpp = {0.7, 0.0};
    RecomputeFactors(c);
    EXPECT_DOUBLE_EQ(c.mpp.x, 0.7);
    EXPECT_DOUBLE_EQ(c.mpp.y, 0.08);
}

TEST(CalibChain, SettingsRoundTripAndRecomputeAfterLoading) {
    TempDir temp;
    const std::string ini = temp.file("Mirelta.ini");
    WriteBytes(ini, "[CALIBRATION]\nname_3=Objective 10x\nlength.x_3=1\nunit_3=2\n"
                          "right_3=400\nmpp.y_5=0.25\ntop_5=50\nbottom_5=50\n"
                          "name_7=" + std::string(300, 'n') + "\n");
    Profile p(ini);
    CCalibChain chain;
    LoadCalibrations(p, chain);
    EXPECT_EQ(chain.At(3)->name, "Objective 10x");
    EXPECT_EQ(chain.At(3)->unit, 2);
    EXPECT_DOUBLE_EQ(chain.At(3)->mpp.x, 1.0 / 400);
    EXPECT_DOUBLE_EQ(chain.At(5)->mpp.y, 0.25); // zero span: the stored factor stays
    EXPECT_EQ(chain.At(7)->name.size(), 255u);
    EXPECT_EQ(chain.At(4)->name, "Data5");

    ASSERT_TRUE(SaveCalibrations(p, chain));
    const std::string text = ReadBytes(ini);
    const auto first = text.find("name_0=Data1\nlength.x_0=10.000000\nlength.y_0=10.000000\nunit_0=1\n"
                                 "mpp.x_0=0.050000\nmpp.y_0=0.050000\nleft_0=0.000000\ntop_0=0.000000\n"
                                 "right_0=200.000000\nbottom_0=200.000000\n");
    EXPECT_NE(first, std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find("bottom_19=200.000000"), std::string::npos);
}

} // namespace
