#include "platform/text_format.h"

#include "test_locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(TextFormat, StrFormatFormatsAnyLength) {
    EXPECT_EQ(StrFormat("%s_%d", "name", 19), "name_19");
    EXPECT_EQ(StrFormat("%s", ""), "");
    const std::string big(1000, 'x');
    EXPECT_EQ(StrFormat("[%s]", big.c_str()), "[" + big + "]");
}

TEST(TextFormat, EditNumberStripsTrailingZerosAndPoint) {
    struct Case {
        double v;
        const char* f;
        const char* f2;
    };
    const Case cases[] = {
        {10.0, "10", "10"},        {0.25, "0.25", "0.25"},   {0.0, "0", "0"},
        {-0.5, "-0.5", "-0.5"},    {100.0, "100", "100"},    {1234.5678, "1234.5678", "1234.57"},
        {0.000001, "0.000001", "0"}, {0.0000004, "0", "0"},  {-0.001, "-0.001", "0"},
        {-0.0, "0", "0"},          {2.5, "2.5", "2.5"},      {1e20, "100000000000000000000", "100000000000000000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditNumber(c.v), c.f) << c.v;
        EXPECT_EQ(EditNumber2(c.v), c.f2) << c.v;
    }
    EXPECT_EQ(EditNumber(INFINITY), "inf");
}

TEST(TextFormat, NumbersUseAPointInEveryLocale) {
    ScopedLocale german("de_DE.UTF-8", "de_DE", "UTF-8");
    if (!german.ok())
        GTEST_SKIP() << "no German locale and no localedef";
    EXPECT_EQ(StrFormat("%.2f", 1.5), "1.50");
    EXPECT_EQ(EditNumber(0.25), "0.25");
    char* end = nullptr;
    const char* text = "3.75;";
    EXPECT_EQ(StrToDoubleC(text, &end), 3.75);
    EXPECT_EQ(end, text + 4);
}

TEST(TextFormat, StrToDoubleReadsZeroFromNonNumbers) {
    char* end = nullptr;
    const char* text = "abc";
    EXPECT_EQ(StrToDoubleC(text, &end), 0.0);
    EXPECT_EQ(end, text);
    EXPECT_EQ(StrToDoubleC("  -1.5e2xyz"), -150.0);
}

TEST(TextFormat, DefaultFileNameIsTheLocalTimeWithTheExtension) {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 0; // January
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 3;
    t.tm_sec = 7;
    EXPECT_EQ(DefaultFileName(t, ".csv"), "20240105090307.csv");
    EXPECT_EQ(DefaultFileName(t, ".mes"), "20240105090307.mes");

    const std::string now = DefaultFileNameNow(".bmp");
    ASSERT_EQ(now.size(), 14u + 4u);
    EXPECT_EQ(now.substr(14), ".bmp");
    EXPECT_EQ(now.find_first_not_of("0123456789"), 14u);
}

} // namespace
