#include "platform/charset.h"

#include "test_locale.h"

#include <gtest/gtest.h>

namespace {

TEST(Charset, ConvertsBetweenExplicitCharsets) {
    struct Case {
        const char* to;
        std::string utf8;
        std::string converted;
    };
    const Case cases[] = {
        {"EUC-JP", "日本語テスト", "\xC6\xFC\xCB\xDC\xB8\xEC\xA5\xC6\xA5\xB9\xA5\xC8"},
        {"SHIFT_JIS", "日本;mm", "\x93\xFA\x96\x7B;mm"},
        {"ISO-8859-1", "café", "caf\xE9"},
        {"ISO-8859-1", "", ""},
    };
    for (const Case& c : cases) {
        const auto there = ConvertCharset(c.utf8, "UTF-8", c.to);
        ASSERT_TRUE(there.has_value()) << c.to;
        EXPECT_EQ(*there, c.converted) << c.to;
        const auto back = ConvertCharset(*there, c.to, "UTF-8");
        ASSERT_TRUE(back.has_value()) << c.to;
        EXPECT_EQ(*back, c.utf8) << c.to;
    }
}

TEST(Charset, CharactersTheTargetLacksBecomeOneQuestionMarkEach) {
    EXPECT_EQ(ConvertCharset("長さ①10€mm", "UTF-8", "EUC-JP"), "\xC4\xB9\xA4\xB5?10?mm");
    EXPECT_EQ(ConvertCharset("日本 ok", "UTF-8", "ISO-8859-1"), "?? ok");
    EXPECT_EQ(ConvertCharset("①", "UTF-8", "SHIFT_JIS"), "?");
}

TEST(Charset, InvalidInputBytesAreReplacedAndTheRestKept) {
    EXPECT_EQ(ConvertCharset("a\xFF" "b", "UTF-8", "ISO-8859-1"), "a?b");
    EXPECT_EQ(ConvertCharset("a\xE6\x97", "UTF-8", "EUC-JP"), "a?");          // cut at the end
    EXPECT_EQ(ConvertCharset("\xC6\xFC\xFF\xCB\xDC", "EUC-JP", "UTF-8"), "日?本");
    EXPECT_EQ(ConvertCharset("\x93\xFA\x80x", "SHIFT_JIS", "UTF-8"), "日?x");
}

TEST(Charset, UnknownCharsetGivesNothing) {
    EXPECT_FALSE(ConvertCharset("abc", "UTF-8", "NO-SUCH-CHARSET").has_value());
    EXPECT_FALSE(ConvertCharset("abc", "NO-SUCH-CHARSET", "UTF-8").has_value());
}

TEST(Charset, LocaleConversionFollowsTheCurrentLocale) {
    {
        ScopedLocale utf8("C.UTF-8", "C", "UTF-8");
        ASSERT_TRUE(utf8.ok());
        EXPECT_TRUE(LocaleIsUtf8());
        const std::string odd = "日本\xFF";
        EXPECT_EQ(Utf8ToLocale(odd), odd); // unchanged, even bytes that are not UTF-8
        EXPECT_EQ(LocaleToUtf8(odd), odd);
    }
    {
        ScopedLocale ascii("C", "C", "ANSI_X3.4-1968");
        ASSERT_TRUE(ascii.ok());
        EXPECT_FALSE(LocaleIsUtf8());
        EXPECT_EQ(Utf8ToLocale("長さ mm"), "?? mm");
    }
    ScopedLocale euc("ja_JP.EUC-JP", "ja_JP", "EUC-JP");
    if (!euc.ok())
        GTEST_SKIP() << "no EUC-JP locale and no localedef";
    EXPECT_EQ(LocaleCharset(), "EUC-JP");
    EXPECT_EQ(Utf8ToLocale("日本,10"), "\xC6\xFC\xCB\xDC,10");
    EXPECT_EQ(LocaleToUtf8("\xC6\xFC\xCB\xDC,10"), "日本,10");
}

} // namespace
