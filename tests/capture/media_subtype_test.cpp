#include "capture/media_subtype.h"

#include "settings/app_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MediaSubtype, SettingsTextsReadBackAsTheirSubtype) {
    // The 32-digit form the settings file keeps, in either case.
    EXPECT_EQ(GuidToText(MEDIASUBTYPE_RGB24), "E436EB7D524F11CE9F530020AF0BA770");
    EXPECT_EQ(GuidFromText("E436EB7D524F11CE9F530020AF0BA770"), MEDIASUBTYPE_RGB24);
    EXPECT_EQ(GuidFromText("e436eb7d524f11ce9f530020af0ba770"), MEDIASUBTYPE_RGB24);
    EXPECT_EQ(GuidToText(MEDIASUBTYPE_YUY2), "3259555900000010800000AA00389B71");
    EXPECT_EQ(GuidToText(MEDIASUBTYPE_MJPG), "47504A4D00000010800000AA00389B71");
    // The settings default and the capture's "any" are one value.
    EXPECT_EQ(AppSettings::MediaSubtypeNone(), MEDIASUBTYPE_None);
}

TEST(MediaSubtype, EveryRowMapsToCapsAndBack) {
    for (const MediaSubtypeInfo& row : MediaSubtypes()) {
        const MediaSubtypeInfo* byGuid = FindMediaSubtype(row.guid);
        ASSERT_EQ(byGuid, &row) << row.label;
        const MediaSubtypeInfo* byCaps = FindMediaSubtype(row.mediaType, row.format);
        ASSERT_NE(byCaps, nullptr) << row.label;
        // Two GUIDs may share a caps name (GREY, Y800); they name the same pixels.
        EXPECT_STREQ(byCaps->mediaType, row.mediaType);
        EXPECT_STREQ(byCaps->format, row.format);
        EXPECT_FALSE(IsAnySubtype(row.guid));
    }
    EXPECT_EQ(FindMediaSubtype("video/x-raw", "GRAY8")->guid, MEDIASUBTYPE_GREY);
    EXPECT_EQ(FindMediaSubtype("image/jpeg", "")->guid, MEDIASUBTYPE_MJPG);
    EXPECT_EQ(FindMediaSubtype("video/x-raw", "ARGB64"), nullptr);
    EXPECT_EQ(FindMediaSubtype("video/x-h264", ""), nullptr);
}

TEST(MediaSubtype, NoneAndUnknownGuidsMeanAny) {
    EXPECT_TRUE(IsAnySubtype(MEDIASUBTYPE_None));
    EXPECT_TRUE(IsAnySubtype(GUID{}));
    EXPECT_TRUE(IsAnySubtype(FourCcSubtype('H', '2', '6', '4')));
    EXPECT_EQ(MediaSubtypeCaps(MEDIASUBTYPE_None), "");
    EXPECT_EQ(MediaSubtypeLabel(MEDIASUBTYPE_None), "Any");
    EXPECT_EQ(MediaSubtypeLabel(GUID{}), "00000000000000000000000000000000");
}

TEST(MediaSubtype, CapsTexts) {
    EXPECT_EQ(MediaSubtypeCaps(MEDIASUBTYPE_RGB24), "video/x-raw,format=BGR");
    EXPECT_EQ(MediaSubtypeCaps(MEDIASUBTYPE_YUY2), "video/x-raw,format=YUY2");
    EXPECT_EQ(MediaSubtypeCaps(MEDIASUBTYPE_NV12), "video/x-raw,format=NV12");
    EXPECT_EQ(MediaSubtypeCaps(MEDIASUBTYPE_I420), "video/x-raw,format=I420");
    EXPECT_EQ(MediaSubtypeCaps(MEDIASUBTYPE_GREY), "video/x-raw,format=GRAY8");
    EXPECT_EQ(MediaSubtypeCaps(MEDIASUBTYPE_MJPG), "image/jpeg");
    EXPECT_EQ(MediaSubtypeLabel(MEDIASUBTYPE_MJPG), "MJPG");
}

} // namespace
