#include "settings/app_settings.h"
#include "platform/profile.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class AppSettingsTest : public ::testing::Test {
protected:
    void writeIni(const std::string& text) { WriteBytes(ini, text); }
    std::string readIni() const { return ReadBytes(ini); }
    std::vector<std::string> keysInOrder() const {
        std::vector<std::string> keys;
        std::istringstream in(readIni());
        std::string line;
        while (std::getline(in, line))
            if (auto eq = line.find('='); eq != std::string::npos)
                keys.push_back(line.substr(0, eq));
        return keys;
    }

    TempDir temp;
    std::string dir = temp.path();
    std::string ini = temp.file("Mirelta.ini");
    std::string data = dir + "/data/";
};

TEST_F(AppSettingsTest, FirstStartWritesEveryKeyInTheSaveOrder) {
    Profile p(ini);
    AppSettings s;
    LoadAppSettings(p, s, data);
    EXPECT_EQ(s.savedir, data + "bmp");
    EXPECT_EQ(s.savedir2, data + "result");
    EXPECT_TRUE(fs::is_directory(s.savedir));
    EXPECT_TRUE(fs::is_directory(s.savedir2));
    LoadWindowPlacement(p, s, {10, 20, 810, 620});
    ASSERT_TRUE(SaveAppSettings(p, s));

    const std::vector<std::string> expected = {
        "type", "resize", "color.font.lfHeight", "color.font.lfWidth", "color.font.lfEscapement",
        "color.font.lfOrientation", "color.font.lfWeight", "color.font.lfItalic",
        "color.font.lfUnderline", "color.font.lfStrikeOut", "color.font.lfCharSet",
        "color.font.lfOutPrecision", "color.font.lfClipPrecision", "color.font.lfQuality",
        "color.font.lfPitchAndFamily", "color.font.lfFaceName", "color.text", "color.line",
        "color.linesize", "color.wave", "color.wavesize", "color.focusflg", "color.focuspos",
        "color.focusscale", "color.gridflg", "color.grid", "color.gridsize", "color.angle",
        "color.anglebaseline", "color.showangle", "color.CursorCrosshairs.ShowCenter",
        "color.CursorCrosshairs.Color", "width", "height", "Frame", "Device", "SmartTee",
        "ShowKT4Dlg", "SubType", "m_WB_R", "m_WB_G", "m_WB_B", "m_WB_Flg", "m_Bai", "m_Bai_X",
        "m_Bai_Y", "savedir", "savedir2", "m_FilterIndex", "m_ScaleData.Visible",
        "m_ScaleData.Type", "m_ScaleData.Pos.x", "m_ScaleData.Pos.y", "m_ScaleData.Size.cx",
        "m_ScaleData.Size.cy", "m_ScaleData.Scale.x", "m_ScaleData.Scalexy", "m_CalibSet.left",
        "m_CalibSet.top", "m_CalibSet.right", "m_CalibSet.bottom", "AutoMinSize", "AutoMaxSize",
        "FocusSelect", "MagnetData.TH", "MagnetData.Size", "MagnetData.Show", "MagnetData.Vector",
        "Window_Max", "Window_Left", "Window_Right", "Window_Top", "Window_Bottom"};
    EXPECT_EQ(keysInOrder(), expected);

    const std::string text = readIni();
    for (const char* line :
         {"color.font.lfHeight=-21", "color.font.lfCharSet=128", "color.text=16776960",
          "color.line=65280", "color.wave=8421631", "color.grid=16744576",
          "color.CursorCrosshairs.Color=16777215", "Frame=300", "Device=-1",
          "SubType=E436EB8E524F11CE9F530020AF0BA770", "m_Bai_X=0.000000",
          "m_CalibSet.right=630.000000", "Window_Left=10", "Window_Bottom=620",
          "color.font.lfFaceName=ＭＳ Ｐゴシック"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(AppSettingsTest, OddValuesAreReadSafely) {
    writeIni("[Mirelta]\n"
             "Frame=0\n"
             "color.font.lfFaceName=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd\n"
             "color.linesize=thick\n"
             "color.font.lfItalic=257\n"
             "m_CalibSet.left=12.75\n"
             "m_Bai_Y=-40.5\n");
    Profile p(ini);
    AppSettings s;
    LoadAppSettings(p, s, data);
    EXPECT_EQ(s.frameInterval, 333333);  // a rate of 0 falls back to 30 frames/s
    EXPECT_EQ(s.color.font.lfFaceName.size(), 31u);
    EXPECT_EQ(s.color.linesize, 0);      // not a number reads 0
    EXPECT_EQ(s.color.font.lfItalic, 1); // a byte field keeps the low 8 bits
    EXPECT_EQ(s.m_CalibSet.left, 12);
    EXPECT_DOUBLE_EQ(s.m_Bai_Y, -40.5);
}

TEST_F(AppSettingsTest, FrameRateRoundTrips) {
    EXPECT_EQ(FrameIntervalFromSetting(150), 666666);
    EXPECT_EQ(FrameSettingFromInterval(666666), 150);
    EXPECT_EQ(FrameIntervalFromSetting(-5), 333333);
    EXPECT_EQ(FrameSettingFromInterval(0), 300);
}

TEST_F(AppSettingsTest, LinesAUserAddedSurviveALoadAndSave) {
    writeIni("; my notes\n[Mirelta]\nmykey=keep me\nm_Bai=4\n\n[Other]\nx=1\n");
    Profile p(ini);
    AppSettings s;
    LoadAppSettings(p, s, data);
    EXPECT_EQ(s.m_Bai, 4);
    ASSERT_TRUE(SaveAppSettings(p, s));
    const std::string text = readIni();
    EXPECT_EQ(text.rfind("; my notes\n[Mirelta]\nmykey=keep me\nm_Bai=4\n", 0), 0u);
    EXPECT_NE(text.find("[Other]\nx=1\n"), std::string::npos);
}

TEST_F(AppSettingsTest, MissingSaveFolderKeyUsesTheDataFolder) {
    writeIni("[Mirelta]\nsavedir=" + dir + "/pictures\n");
    Profile p(ini);
    AppSettings s;
    LoadAppSettings(p, s, data);
    EXPECT_EQ(s.savedir, dir + "/pictures");
    EXPECT_EQ(s.savedir2, data + "result");
}

} // namespace
