#include "capture/device_settings.h"

#include "capture/media_subtype.h"
#include "platform/profile.h"

#include "../platform/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Asked {
    std::string friendlyName;
    std::vector<std::string> names;
    std::string preselect;
};

class DeviceSettingsTest : public ::testing::Test {
protected:
    void write(const std::string& text) { WriteBytes(dir.file("Mirelta.ini"), text); }
    Profile& profile() {
        if (!m_profile)
            m_profile = std::make_unique<Profile>(dir.file("Mirelta.ini"));
        return *m_profile;
    }
    ModelChooser chooser(std::string answer) {
        return [this, answer](const std::string& f, const std::vector<std::string>& n,
                              const std::string& p) {
            asked.push_back({f, n, p});
            return answer;
        };
    }

    TempDir dir;
    std::vector<Asked> asked;
    std::unique_ptr<Profile> m_profile;
};

TEST_F(DeviceSettingsTest, OneModelNameReplacesTheFriendlyName) {
    write("[CamName]\nCount=1\nName1=ModelA\n[ModelA]\nWidth=800\nHeight=600\nFrame=250\n");
    std::string model;
    const std::string section = ResolveDeviceSection(profile(), "CamName", model, chooser("x"));
    EXPECT_EQ(section, "ModelA");
    EXPECT_EQ(model, "ModelA");
    EXPECT_TRUE(asked.empty());
    const DeviceSettings s = ReadDeviceSection(profile(), section);
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.height, 600);
    EXPECT_EQ(s.frameInterval, 400000);

    DeviceSettings out = s;
    out.priority = 4;
    out.subtype = MEDIASUBTYPE_RGB24;
    WriteDeviceSection(profile(), section, out);
    const std::string text = ReadBytes(dir.file("Mirelta.ini"));
    EXPECT_NE(text.find("[ModelA]\nWidth=800\nHeight=600\nFrame=250\nPriority=4\n"
                        "SubType=E436EB7D524F11CE9F530020AF0BA770\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("[CamName]\nCount=1\nName1=ModelA\n"), 0u); // never written
}

TEST_F(DeviceSettingsTest, SeveralModelsAskOnceAndReuseTheChoice) {
    write("[CamName]\nCount=3\nName1=ModelA\nName2=ModelB\nName3=\n");
    std::string model;
    EXPECT_EQ(ResolveDeviceSection(profile(), "CamName", model, chooser("ModelB")), "ModelB");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].friendlyName, "CamName");
    EXPECT_EQ(asked[0].names, (std::vector<std::string>{"ModelA", "ModelB", ""}));
    EXPECT_EQ(asked[0].preselect, "");
    EXPECT_EQ(ResolveDeviceSection(profile(), "CamName", model, chooser("ModelA")), "ModelB");
    EXPECT_EQ(asked.size(), 1u);
    // The device window always asks, offering the earlier choice.
    EXPECT_EQ(ResolveDeviceSection(profile(), "CamName", model, chooser("ModelA"), true), "ModelA");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].preselect, "ModelB");
}

TEST_F(DeviceSettingsTest, EmptyOrMissingModelNamesKeepTheFriendlyName) {
    write("[A]\nCount=1\nName1=\n[B]\nCount=0\n[C]\nCount=-4\n[D]\nCount=2\nName1=X\nName2=Y\n"
          "[E]\nCount=99999999\nName1=Q\n");
    std::string model = "Old";
    EXPECT_EQ(ResolveDeviceSection(profile(), "A", model, chooser("x")), "A");
    EXPECT_EQ(ResolveDeviceSection(profile(), "B", model, chooser("x")), "B");
    EXPECT_EQ(model, "");
    EXPECT_EQ(ResolveDeviceSection(profile(), "C", model, chooser("x")), "C");
    EXPECT_EQ(ResolveDeviceSection(profile(), "Nothing", model, chooser("x")), "Nothing");
    EXPECT_TRUE(asked.empty());
    // The operator picked the empty entry: the device keeps its own section.
    EXPECT_EQ(ResolveDeviceSection(profile(), "D", model, chooser("")), "D");
    // A huge count reads a bounded number of names.
    EXPECT_EQ(ReadModelNames(profile(), "E").size(), static_cast<std::size_t>(kMaxModelNames));
}

TEST_F(DeviceSettingsTest, SectionDefaultsAndOddValues) {
    write("[Cam]\nFrame=0\nSubType=e436eb7d524f11ce9f530020af0ba770\n"
          "[Neg]\nFrame=-30\nSubType=nonsense\nPriority=-1\nResize_Width=800\nResize_Height=600\n"
          "[Mirelta]\nwidth=1920\nheight=1080\nFrame=300\n");
    DeviceSettings s = ReadDeviceSection(profile(), "Missing");
    EXPECT_EQ(s.width, -1);
    EXPECT_EQ(s.height, -1);
    EXPECT_EQ(s.frameInterval, 666666);
    EXPECT_EQ(s.priority, 0);
    EXPECT_EQ(s.subtype, MEDIASUBTYPE_None);
    EXPECT_EQ(s.resize.Resize_Width, -1);
    EXPECT_EQ(s.resize.Resize_Bottom, -1);

    s = ReadDeviceSection(profile(), "Cam");
    EXPECT_EQ(s.frameInterval, 666666); // "Frame" 0 reads as the default 150
    EXPECT_EQ(s.subtype, MEDIASUBTYPE_RGB24);
    s = ReadDeviceSection(profile(), "Neg");
    EXPECT_EQ(s.frameInterval, 666666);
    EXPECT_EQ(s.subtype, MEDIASUBTYPE_None);
    EXPECT_EQ(s.priority, -1);
    EXPECT_EQ(s.resize.Resize_Width, 800);
    EXPECT_EQ(s.resize.Resize_Height, 600);
    // The product section read as a device section: its keys match without case.
    s = ReadDeviceSection(profile(), "Mirelta", 300);
    EXPECT_EQ(s.width, 1920);
    EXPECT_EQ(s.height, 1080);
    EXPECT_EQ(s.frameInterval, 333333);
}

TEST_F(DeviceSettingsTest, FormatWindowWritesNoPriority) {
    write("[Cam]\nPriority=7\n");
    DeviceSettings s;
    s.width = 640;
    s.height = 480;
    s.frameInterval = 333333;
    s.priority = 1;
    s.subtype = MEDIASUBTYPE_YUY2;
    WriteDeviceFormat(profile(), "Cam", s);
    EXPECT_EQ(ReadBytes(dir.file("Mirelta.ini")),
              "[Cam]\nPriority=7\nWidth=640\nHeight=480\nFrame=300\n"
              "SubType=3259555900000010800000AA00389B71\n");
}

TEST(DeviceChoice, FirstOfTheHighestPriorityWins) {
    struct Case {
        std::vector<std::int32_t> priorities;
        int chosen;
    };
    const Case cases[] = {
        {{3, 3}, 0}, {{-1, -1}, -1}, {{}, -1}, {{0}, 0}, {{0, 5, 5, 2}, 1},
        {{-1, 0}, 1}, {{-5, -1, 2}, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseDeviceByPriority(c.priorities), c.chosen) << ::testing::PrintToString(c.priorities);
}

} // namespace
