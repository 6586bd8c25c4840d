#include "platform/guid.h"

#include <gtest/gtest.h>

namespace {

TEST(Guid, TextFormIsThirtyTwoUpperCaseDigitsInFieldOrder) {
    const GUID none{0xE436EB8E, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
    EXPECT_EQ(GuidToText(none), "E436EB8E524F11CE9F530020AF0BA770");
    const GUID small{0x1, 0x2, 0x3, {0, 1, 2, 3, 4, 5, 6, 7}};
    EXPECT_EQ(GuidToText(small), "00000001000200030001020304050607");

    EXPECT_EQ(GuidFromText("E436EB8E524F11CE9F530020AF0BA770"), none);
    EXPECT_EQ(GuidFromText("e436eb8e524f11ce9f530020af0ba770"), none);
    EXPECT_EQ(GuidFromText(GuidToText(small)), small);
    const GUID ones{0xFFFFFFFF, 0xFFFF, 0xFFFF, {255, 255, 255, 255, 255, 255, 255, 255}};
    EXPECT_EQ(GuidFromText(GuidToText(ones)), ones);
}

TEST(Guid, MalformedTextGivesNothing) {
    for (const char* bad : {"", "E436EB8E524F11CE9F530020AF0BA77", "E436EB8E524F11CE9F530020AF0BA7700",
                            "{E436EB8E-524F-11CE-9F53-0020AF0BA770}", "E436EB8E-524F-11CE-9F53-0020AF0BA7",
                            "X436EB8E524F11CE9F530020AF0BA770", "E436EB8E524F11CE9F530020AF0BA77 ",
                            "+436EB8E524F11CE9F530020AF0BA770", "0x36EB8E524F11CE9F530020AF0BA770"})
        EXPECT_FALSE(GuidFromText(bad).has_value()) << bad;
}

} // namespace
