#include "images/thumbnail_index.h"
#include "images/thumbnail_store.h"
#include "platform/charset.h"
#include "platform/test_locale.h"

#include "thumbnail_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace thumb_test;
namespace fs = std::filesystem;

namespace {

std::int32_t Int32At(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

TEST(ThumbnailIndex, WritesTheFileLayoutEntryByEntry) {
    codec_test::TempDir dir;
    ASSERT_TRUE(dir.ok());
    CThumbNail list;
    list.AddThumbnail(dir.path("first.bmp"), SolidPicture(640, 480, 1, 2, 3));
    list.AddThumbnail(dir.path("second.jpg"), SolidPicture(10, 10, 4, 5, 6));
    const std::string path = ThumbnailIndexPath(dir.path(""));
    EXPECT_EQ(path, dir.path("ThumbNail"));
    ASSERT_EQ(list.SaveIndex(path), 1);

    const auto raw = codec_test::ReadBytes(path);
    const std::string f(raw.begin(), raw.end());
    ASSERT_EQ(f.size(), 33u + (10 + 8 + 44154) + (11 + 8 + 44154));
    EXPECT_EQ(std::memcmp(f.data(), "TOLVEN THUMBNAILFILE VER1000\0", 29), 0);
    EXPECT_EQ(Int32At(f, 29), 2);
    std::size_t at = 33;
    for (const char* name : {"first.bmp", "second.jpg"}) {
        EXPECT_EQ(std::string(f.c_str() + at), name);
        at += std::strlen(name) + 1;
        EXPECT_EQ(Int32At(f, at), 44154) << name;
        EXPECT_EQ(Int32At(f, at + 4), 0);
        const std::size_t bmp = at + 8;
        EXPECT_EQ(f.substr(bmp, 2), "BM");
        EXPECT_EQ(Int32At(f, bmp + 2), 44154);
        EXPECT_EQ(Int32At(f, bmp + 6), 0);
        EXPECT_EQ(Int32At(f, bmp + 10), 54);
        EXPECT_EQ(Int32At(f, bmp + 14), 40);
        EXPECT_EQ(Int32At(f, bmp + 18), 140);
        EXPECT_EQ(Int32At(f, bmp + 22), 105);
        EXPECT_EQ(Int32At(f, bmp + 26) & 0xFFFF, 1);
        EXPECT_EQ(Int32At(f, bmp + 26) >> 16, 24);
        at = bmp + 44154;
    }
    // The first pixel in the file is the bottom-left one, B, G, R.
    EXPECT_EQ(f.substr(33 + 10 + 8 + 54, 3), std::string("\x03\x02\x01", 3));
    // Only the finished file remains: no temporary file beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path("")), fs::directory_iterator()), 1);
}

TEST(ThumbnailIndex, NamesAreStoredInTheLocaleCharacterSet) {
    ScopedLocale locale("ja_JP.EUC-JP", "ja_JP", "EUC-JP");
    if (!locale.ok())
        GTEST_SKIP() << "no EUC-JP locale";
    codec_test::TempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string name = "写真.bmp";
    thumb_test::WriteText(dir.path(name), "picture");
    CThumbNail list;
    list.AddThumbnail(dir.path(name), SolidPicture(4, 4, 0, 0, 0));
    ASSERT_EQ(list.SaveIndex(dir.path("ThumbNail")), 1);
    const auto raw = codec_test::ReadBytes(dir.path("ThumbNail"));
    const std::string stored(reinterpret_cast<const char*>(raw.data()) + 33);
    EXPECT_EQ(stored, *ConvertCharset(name, "UTF-8", "EUC-JP"));

    CThumbNail loaded;
    ASSERT_EQ(loaded.LoadIndex(dir.path("ThumbNail")), 1);
    ASSERT_EQ(loaded.GetCount(), 1);
    EXPECT_EQ(loaded.At(0)->path, dir.path(name));
}

TEST(ThumbnailIndex, ParserPassesEntriesThatLieInsideTheData) {
    const std::string body = IndexEntry("a.bmp", SolidPicture(2, 2, 0, 0, 0));
    const std::string file = IndexHeader(2) + body + body;
    auto parse = [](const std::string& bytes, int& entries) {
        entries = 0;
        return ParseThumbnailIndex(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size(), [&](const ThumbnailIndexRecord& r) {
                                       EXPECT_EQ(r.storedName, "a.bmp");
                                       EXPECT_EQ(r.bmpSize, 54u + 16u);
                                       ++entries;
                                   });
    };
    int entries = 0;
    EXPECT_TRUE(parse(file, entries));
    EXPECT_EQ(entries, 2);
    // Every shorter prefix parses without reading past its end: whole entries only.
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        const std::string prefix = file.substr(0, cut);
        const bool ok = parse(prefix, entries);
        EXPECT_EQ(ok, cut >= 33) << cut;
        const int whole = cut >= 33 + body.size() ? 1 : 0;
        EXPECT_EQ(entries, ok ? whole : 0) << cut;
    }
    EXPECT_FALSE(ParseThumbnailIndex(nullptr, 10, [](const ThumbnailIndexRecord&) {}));
}

TEST(ThumbnailIndex, PlainFileNames) {
    for (const char* good : {"a.bmp", ".hidden.jpg", "..a", "a..b", "x\\y.bmp", "写真.bmp"})
        EXPECT_TRUE(IsPlainFileName(good)) << good;
    for (const char* bad : {"", ".", "..", "../x", "a/b", "/etc/passwd", "a/"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    EXPECT_FALSE(IsPlainFileName(std::string("a\0b", 3)));
}

} // namespace
