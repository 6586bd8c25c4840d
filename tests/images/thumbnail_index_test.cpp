#include "images/thumbnail_index.h"
#include "images/thumbnail_store.h"
#include "platform/charset.h"
#include "platform/test_locale.h"

#include "thumbnail_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <filesystem>
#include <unistd.h>

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

// Index files made to attack the reader: names reaching out of the folder or not in the
// locale's character set, sizes negative, too large or overflowing, a 60000 x 60000
// thumbnail, wrong magic, cut short. Only whole entries naming a picture of the index's
// own folder load; the folder, the index and the files beside it stay as they were.
TEST(ThumbnailIndex, HostileIndexFilesLoadOnlyWholeEntriesOfTheirOwnFolder) {
    const fs::path root = fs::temp_directory_path() / ("mirelta-hostile-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "pictures" / "sub");
    for (const char* name : {"pictures/a.bmp", "pictures/sub/b.bmp", "outside.bmp", "pictures/\xff\xfe.bmp"})
        WriteText((root / name).string(), "picture");
    const CDibImage thumb = SolidPicture(4, 3, 10, 20, 30);
    const std::string good = IndexEntry("a.bmp", thumb);
    std::string bmp60000 = Bmp24FileBytes(thumb);
    for (int i = 0; i < 4; ++i) {
        bmp60000[18 + static_cast<std::size_t>(i)] = static_cast<char>((60000u >> (8 * i)) & 0xFF);
        bmp60000[22 + static_cast<std::size_t>(i)] = static_cast<char>((60000u >> (8 * i)) & 0xFF);
    }
    const auto entryWithSize = [&](const std::string& name, std::int32_t size, const std::string& bmp) {
        std::string out = name + '\0';
        Put32(out, size);
        Put32(out, 0);
        return out + bmp;
    };
    const std::string bmp = Bmp24FileBytes(thumb);
    struct Case {
        const char* what;
        std::string bytes;
        int loaded; // entries that load (each the good "a.bmp")
    };
    const Case cases[] = {
        {"a good entry among bad names",
         IndexHeader(6) + IndexEntry("../outside.bmp", thumb) + IndexEntry("sub/b.bmp", thumb) +
             IndexEntry((root / "outside.bmp").string(), thumb) + IndexEntry("..", thumb) +
             IndexEntry("\xff\xfe.bmp", thumb) + good,
         -1}, // the name outside the character set may load or not, the others never
        {"negative count", IndexHeader(-1) + good, 0},
        {"count beyond the entries", IndexHeader(0x7FFFFFFF) + good, 1},
        {"negative picture size", IndexHeader(2) + entryWithSize("a.bmp", -1, bmp) + good, 0},
        {"picture size beyond the file", IndexHeader(1) + entryWithSize("a.bmp", 0x7FFFFFF0, bmp), 0},
        {"picture size of zero", IndexHeader(2) + entryWithSize("a.bmp", 0, "") + good, 1},
        {"a 60000 x 60000 thumbnail", IndexHeader(2) + entryWithSize("a.bmp", static_cast<std::int32_t>(bmp60000.size()), bmp60000) + good, 1},
        {"wrong magic", "TOLVEN THUMBNAILFILE VER1001" + IndexHeader(1).substr(28) + good, 0},
        {"cut inside the name", IndexHeader(1) + "a.b", 0},
        {"cut inside the picture", IndexHeader(1) + good.substr(0, good.size() - 5), 0},
        {"no terminating zero", IndexHeader(1) + std::string(300, 'n'), 0},
    };
    const auto listing = [&] {
        std::vector<std::pair<std::string, std::uintmax_t>> files;
        for (const auto& e : fs::recursive_directory_iterator(root))
            files.emplace_back(e.path().string(), e.is_regular_file() ? fs::file_size(e.path()) : 0);
        std::sort(files.begin(), files.end());
        return files;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string index = (root / "pictures" / "ThumbNail").string();
        WriteText(index, c.bytes);
        const auto before = listing();
        CThumbNail list;
        list.LoadIndex(index);
        for (const THUMBNAIL* t = list.At(0); t; t = t->next) {
            EXPECT_EQ(fs::path(t->path).parent_path(), root / "pictures") << t->path;
            EXPECT_TRUE(IsColour(t->image, 0, 0, 10, 20, 30)); // the good entry's picture
        }
        if (c.loaded >= 0)
            EXPECT_EQ(list.GetCount(), c.loaded);
        else
            EXPECT_GE(list.GetCount(), 1);
        EXPECT_EQ(list.CountPath((root / "pictures" / "a.bmp").string()), c.loaded == 0 ? 0 : 1);
        EXPECT_EQ(listing(), before);
    }
    fs::remove_all(root);
}

} // namespace
