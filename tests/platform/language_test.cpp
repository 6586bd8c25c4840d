#include "platform/language.h"
#include "platform/string_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets LC_ALL, LC_MESSAGES and LANG for one case and puts the old values back.
class ScopedEnvironment {
public:
    ScopedEnvironment() {
        for (int i = 0; i < 3; ++i) {
            const char* v = std::getenv(kNames[i]);
            m_saved[i] = v ? std::optional<std::string>(v) : std::nullopt;
        }
    }
    ~ScopedEnvironment() {
        for (int i = 0; i < 3; ++i)
            set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
    }
    static void set(const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

private:
    std::optional<std::string> m_saved[3];
};

TEST(Language, DetectedFromLcAllThenLcMessagesThenLang) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        bool japanese;
    };
    const Case cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", true},
        {nullptr, nullptr, "en_US.UTF-8", false},
        {nullptr, nullptr, "C", false},
        {nullptr, nullptr, nullptr, false},
        {nullptr, nullptr, "ja", true},
        {nullptr, nullptr, "ja_JP.eucJP", true},
        {nullptr, nullptr, "japanese", true},
        {nullptr, nullptr, "jam", false},
        {"C", nullptr, "ja_JP.UTF-8", false},           // LC_ALL wins over LANG
        {"ja_JP.UTF-8", nullptr, "en_US.UTF-8", true},
        {"", nullptr, "ja_JP.UTF-8", true},             // an empty value does not count
        {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", true},  // LC_MESSAGES before LANG
        {nullptr, "en_US.UTF-8", "ja_JP.UTF-8", false},
        {"en_GB.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", false},
    };
    ScopedEnvironment restore;
    for (const Case& c : cases) {
        ScopedEnvironment::set("LC_ALL", c.lcAll);
        ScopedEnvironment::set("LC_MESSAGES", c.lcMessages);
        ScopedEnvironment::set("LANG", c.lang);
        EXPECT_EQ(DetectJapaneseFromEnvironment(), c.japanese)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
        EXPECT_EQ(InitLanguage(), c.japanese);
        EXPECT_EQ(g_bJapanese, c.japanese);
    }
    g_bJapanese = false;
}

TEST(StringTable, TextsInBothLanguages) {
    EXPECT_STREQ(LoadStr(strid::Length, false), "Length");
    EXPECT_STREQ(LoadStr(strid::Length, true), "二点間距離");
    EXPECT_STREQ(LoadStr(strid::CalibrationName, false), "Data");
    EXPECT_STREQ(LoadStr(strid::CalibrationName, true), "校正値");
    EXPECT_STREQ(LoadStr(strid::AlreadyRunning, false), "It has already startup");
    EXPECT_STREQ(LoadStr(strid::AlreadyRunning, true), "既に同系列のソフトが起動しているため起動できません");
    // Tooltips exist in Japanese only, so both tables give the Japanese text.
    EXPECT_STREQ(LoadStr(strid::TipLive, false), LoadStr(strid::TipLive, true));
    EXPECT_STREQ(LoadStr(12345, false), "");
    EXPECT_STREQ(LoadStr(12345, true), "");

    g_bJapanese = true;
    EXPECT_STREQ(LoadStr(strid::Angle), "角度");
    EXPECT_STREQ(Tr("Angle", "角度"), "角度");
    g_bJapanese = false;
    EXPECT_STREQ(LoadStr(strid::Angle), "Angle");
    EXPECT_STREQ(Tr("Angle", "角度"), "Angle");
}

} // namespace
