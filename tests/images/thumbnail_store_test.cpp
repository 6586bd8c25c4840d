#include "images/image_saving.h"
#include "images/jpeg_codec.h"
#include "images/load_image_file.h"
#include "images/thumbnail_index.h"
#include "images/thumbnail_store.h"
#include "platform/path_parts.h"

#include "thumbnail_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace codec_test;
using namespace thumb_test;
namespace fs = std::filesystem;

namespace {

struct Colour {
    int r, g, b;
};

// The file names of the list, in order.
std::vector<std::string> Names(const CThumbNail& list) {
    std::vector<std::string> names;
    for (const THUMBNAIL* t = list.At(0); t; t = t->next)
        names.push_back(fs::path(t->path).filename().string());
    return names;
}

// What the main window does at start: the index of the folder, then the folder itself.
void Start(CThumbNail& list, const std::string& folder) {
    list.LoadIndex(ThumbnailIndexPath(folder));
    list.SyncWithFolder(folder);
}

class ThumbnailStore : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        fs::create_directory(dir.path("pics"));
    }

    // The save folder, inside the scratch folder so that "../x" stays inside that.
    std::string folder() const { return dir.path("pics"); }
    std::string file(const std::string& name) const { return dir.path("pics/" + name); }

    void save(CThumbNail& list, const std::string& name, Colour c, int type = 1) {
        ASSERT_EQ(SaveImage(list, file(name), SolidPicture(320, 240, c.r, c.g, c.b), type),
                  SaveResult::Written)
            << name;
    }

    TempDir dir;
};

TEST_F(ThumbnailStore, SavedPicturesComeBackFromTheIndexInOrderWithoutDecoding) {
    const std::vector<std::pair<std::string, Colour>> saved = {
        {"c.bmp", {200, 0, 0}}, {"a.jpg", {0, 200, 0}}, {"b.bmp", {0, 0, 200}}};
    {
        CThumbNail list;
        for (const auto& [name, colour] : saved)
            save(list, name, colour, name.ends_with(".jpg") ? 2 : 1);
        ASSERT_EQ(list.SaveIndex(ThumbnailIndexPath(folder())), 1);
    }
    // The index holds the thumbnails: the picture files can no longer be decoded, and
    // still every thumbnail comes back, in the order of saving (not the name order).
    for (const auto& [name, colour] : saved)
        WriteText(file(name), "not a picture");

    CThumbNail list;
    Start(list, folder());
    ASSERT_EQ(Names(list), (std::vector<std::string>{"c.bmp", "a.jpg", "b.bmp"}));
    for (int i = 0; i < 3; ++i) {
        const THUMBNAIL* t = list.At(i);
        EXPECT_EQ(t->index, i);
        EXPECT_EQ(t->path, file(saved[static_cast<std::size_t>(i)].first));
        ASSERT_EQ(t->image.width(), 140);
        ASSERT_EQ(t->image.height(), 105);
        const Colour c = saved[static_cast<std::size_t>(i)].second;
        EXPECT_TRUE(IsColour(t->image, 70, 50, c.r, c.g, c.b, 4)) << t->path;
    }
}

TEST_F(ThumbnailStore, FilesDeletedOrAddedOutsideShowAtTheNextStart) {
    {
        CThumbNail list;
        save(list, "one.bmp", {10, 20, 30});
        save(list, "two.bmp", {40, 50, 60});
        save(list, "three.bmp", {70, 80, 90});
        list.SaveIndex(ThumbnailIndexPath(folder()));
    }
    fs::remove(file("two.bmp"));
    // Sorts first by name, but is new: it goes to the end.
    CThumbNail other;
    save(other, "0-added.bmp", {1, 2, 3});

    CThumbNail list;
    Start(list, folder());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"one.bmp", "three.bmp", "0-added.bmp"}));
    EXPECT_TRUE(IsColour(list.At(2)->image, 0, 0, 1, 2, 3));
}

TEST_F(ThumbnailStore, OnlyLowerCasePictureExtensionsAreTakenFromTheFolder) {
    const CDibImage picture = SolidPicture(64, 48, 90, 90, 90);
    CThumbNail scratch;
    for (const char* name : {"A.JPG", "B.BMP", "c.Jpg", "d.bmp", "e.jpeg", "f.txt", "g.bmp.bak"})
        ASSERT_EQ(
            SaveImage(
                scratch, file(name), picture,
                ExtensionEqualsNoCase(name, "jpg") || ExtensionEqualsNoCase(name, "jpeg") ? 3 : 1),
            SaveResult::Written);
    fs::create_directory(file("folder.bmp"));

    CThumbNail list;
    EXPECT_EQ(list.SyncWithFolder(folder()), 1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"d.bmp", "e.jpeg"}));
}

TEST_F(ThumbnailStore, AFolderWithoutPicturesEmptiesTheListAndNoIndexIsKept) {
    CThumbNail list;
    save(list, "gone.bmp", {1, 1, 1});
    ASSERT_EQ(list.SaveIndex(ThumbnailIndexPath(folder())), 1);
    fs::remove(file("gone.bmp"));
    WriteText(file("notes.txt"), "text");

    CThumbNail restarted;
    save(restarted, "elsewhere.bmp", {2, 2, 2}); // an entry the folder check must drop
    fs::remove(file("elsewhere.bmp"));
    Start(restarted, folder());
    EXPECT_EQ(restarted.GetCount(), 0);
    EXPECT_EQ(restarted.SaveIndex(ThumbnailIndexPath(folder())), 0);
    EXPECT_FALSE(fs::exists(ThumbnailIndexPath(folder())));

    // A folder that does not exist empties the list as well.
    CThumbNail missing;
    save(missing, "x.bmp", {3, 3, 3});
    EXPECT_EQ(missing.SyncWithFolder(file("no-such-folder")), 1);
    EXPECT_EQ(missing.GetCount(), 0);
}

TEST_F(ThumbnailStore, TheOlderIndexFormReadsLikeTheCurrentOne) {
    CThumbNail scratch;
    save(scratch, "old.bmp", {0, 0, 0});
    const CDibImage thumb = SolidPicture(140, 105, 12, 34, 56);
    WriteText(ThumbnailIndexPath(folder()), IndexHeader(1, true) + IndexEntry("old.bmp", thumb));

    CThumbNail list;
    EXPECT_EQ(list.LoadIndex(ThumbnailIndexPath(folder())), 1);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.At(0)->path, file("old.bmp"));
    EXPECT_TRUE(IsColour(list.At(0)->image, 139, 104, 12, 34, 56));
}

TEST_F(ThumbnailStore, SavingTheSameNameTwiceKeepsOneThumbnailOfTheNewerPicture) {
    CThumbNail list;
    save(list, "same.jpg", {250, 0, 0}, 2);
    save(list, "other.bmp", {0, 0, 0});
    save(list, "same.jpg", {0, 0, 250}, 4);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"other.bmp", "same.jpg"}));
    EXPECT_EQ(list.CountPath(file("same.jpg")), 1);
    EXPECT_TRUE(IsColour(list.At(1)->image, 10, 10, 0, 0, 250, 4));
    CDibImage onDisk;
    ASSERT_EQ(DecodeJpeg(file("same.jpg"), onDisk), 1);
    EXPECT_TRUE(IsColour(onDisk, 5, 5, 0, 0, 250, 4));
}

TEST_F(ThumbnailStore, AnIndexLoadsWhatIsSoundAndNothingElse) {
    CThumbNail scratch;
    for (const char* name : {"good1.bmp", "good2.bmp"})
        save(scratch, name, {0, 0, 0});
    // A picture beside the folder that a crafted name could reach.
    WriteText(dir.path("x"), "outside");
    const std::string outside = fs::weakly_canonical(dir.path("x")).string();

    const CDibImage red = SolidPicture(140, 105, 255, 0, 0);
    const CDibImage blue = SolidPicture(140, 105, 0, 0, 255);
    const std::string sound = IndexEntry("good1.bmp", red) + IndexEntry("../x", red) +
                              IndexEntry("", red) + IndexEntry(".", red) + IndexEntry("..", red) +
                              IndexEntry("sub/good2.bmp", red) + IndexEntry("missing.bmp", red) +
                              IndexEntry("good2.bmp", blue);
    const std::string path = ThumbnailIndexPath(folder());
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> expected;
        int result;
    };
    std::string hugeSize = sound + "good1.bmp";
    hugeSize += '\0';
    Put32(hugeSize, 0x7FFFFFF0);
    Put32(hugeSize, 0);
    std::string negativeSize = sound + "good1.bmp";
    negativeSize += '\0';
    Put32(negativeSize, -54);
    Put32(negativeSize, 0);
    negativeSize += std::string(200, 'B');
    const Case cases[] = {
        {"sound entries only", IndexHeader(8) + sound, {"good1.bmp", "good2.bmp"}, 1},
        {"count beyond the data", IndexHeader(1000) + sound, {"good1.bmp", "good2.bmp"}, 1},
        {"count below the entries", IndexHeader(1) + sound, {"good1.bmp"}, 1},
        {"negative count", IndexHeader(-5) + sound, {}, 1},
        {"last BMP cut short",
         IndexHeader(8) + sound.substr(0, sound.size() - 1),
         {"good1.bmp"},
         1},
        {"cut inside the sizes",
         IndexHeader(9) + sound + "good1.bmp" + '\0' + "\x10\x00",
         {"good1.bmp", "good2.bmp"},
         1},
        {"name without end", IndexHeader(9) + sound + "good1.bmp", {"good1.bmp", "good2.bmp"}, 1},
        {"size past the end", IndexHeader(9) + hugeSize, {"good1.bmp", "good2.bmp"}, 1},
        {"negative size", IndexHeader(9) + negativeSize, {"good1.bmp", "good2.bmp"}, 1},
        {"header only", IndexHeader(3), {}, 1},
        {"count cut short", IndexHeader(3).substr(0, 31), {}, 0},
        {"wrong version",
         "TOLVEN THUMBNAILFILE VER1001" + IndexHeader(8).substr(28) + sound,
         {},
         0},
        {"wrong magic", "tolven THUMBNAILFILE VER1000" + IndexHeader(8).substr(28) + sound, {}, 0},
        {"empty file", "", {}, 0},
    };
    for (const Case& c : cases) {
        WriteText(path, c.bytes);
        CThumbNail list;
        EXPECT_EQ(list.LoadIndex(path), c.result) << c.what;
        EXPECT_EQ(Names(list), c.expected) << c.what;
        for (const THUMBNAIL* t = list.At(0); t; t = t->next)
            EXPECT_NE(fs::weakly_canonical(t->path).string(), outside) << c.what;
    }
    // The last sound entry keeps its own picture.
    WriteText(path, IndexHeader(8) + sound);
    CThumbNail list;
    list.LoadIndex(path);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_TRUE(IsColour(list.At(1)->image, 0, 0, 0, 0, 255));
    EXPECT_EQ(list.LoadIndex(file("no-index-here")), 0);
}

TEST_F(ThumbnailStore, StoredThumbnailsOfOtherSizesAreCopiedFromTheirTopLeftCorner) {
    CThumbNail list;
    CDibImage small = SolidPicture(20, 10, 9, 8, 7);
    ASSERT_EQ(list.AddStoredThumbnail("/p/small.bmp", small), 1);
    CDibImage big = SolidPicture(300, 200, 1, 1, 1);
    big.fillRect({0, 0, 140, 105}, RGB(50, 60, 70));
    ASSERT_EQ(list.AddStoredThumbnail("/p/big.bmp", big), 1);
    CDibImage grey;
    grey.create(140, 105, 8);
    grey.fillRect(RGB(100, 100, 100));
    ASSERT_EQ(list.AddStoredThumbnail("/p/grey.bmp", grey), 1);

    const CDibImage& s = list.At(0)->image;
    ASSERT_EQ(s.width(), 140);
    EXPECT_TRUE(IsColour(s, 19, 9, 9, 8, 7));
    EXPECT_TRUE(IsColour(s, 20, 9, 0, 0, 0));
    EXPECT_TRUE(IsColour(s, 19, 10, 0, 0, 0));
    EXPECT_TRUE(IsColour(list.At(1)->image, 139, 104, 50, 60, 70));
    EXPECT_TRUE(IsColour(list.At(2)->image, 70, 50, 100, 100, 100));
    EXPECT_EQ(list.AddStoredThumbnail("/p/none.bmp", CDibImage()), 0);
    EXPECT_EQ(list.GetCount(), 3);
}

TEST_F(ThumbnailStore, PicturesThatCannotBeDecodedMakeNoEntry) {
    WriteText(file("broken.jpg"), "\xFF\xD8\xFF\xE0 broken");
    WriteText(file("empty.bmp"), "");
    CThumbNail list;
    EXPECT_EQ(list.AddFromFile(file("broken.jpg")), 0);
    EXPECT_EQ(list.AddFromFile(file("empty.bmp")), 0);
    EXPECT_EQ(list.AddFromFile(file("absent.png")), 0);
    EXPECT_EQ(list.AddThumbnail(file("x.bmp"), CDibImage()), 0);
    EXPECT_EQ(list.GetCount(), 0);
    // The folder still counts as one with pictures, so nothing else is lost.
    save(list, "fine.bmp", {5, 5, 5});
    EXPECT_EQ(list.SyncWithFolder(folder()), 1);
    EXPECT_EQ(Names(list), std::vector<std::string>{"fine.bmp"});
}

// A damaged picture is skipped at every start; the decoders' complaints are kept quiet
// and the scan hands the file to its caller instead, which says it once.
TEST_F(ThumbnailStore, TheScanNamesUndecodablePicturesAndTheDecodersStayQuiet) {
    WriteText(file("20261210233945.jpg"), "");
    WriteText(file("broken.png"), "\x89PNG\r\n\x1a\n cut");
    CThumbNail list;
    save(list, "fine.bmp", {5, 5, 5});
    list.RemoveAll();
    std::vector<std::string> unreadable;
    testing::internal::CaptureStderr();
    EXPECT_EQ(list.SyncWithFolder(folder(), {}, &unreadable), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Names(list), std::vector<std::string>{"fine.bmp"});
    EXPECT_EQ(unreadable, (std::vector<std::string>{file("20261210233945.jpg"), file("broken.png")}));

    // Outside the scan the decoders speak as before.
    testing::internal::CaptureStderr();
    EXPECT_EQ(list.AddFromFile(file("20261210233945.jpg")), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
}

TEST_F(ThumbnailStore, SixteenBitPicturesBecomeGreyThumbnails) {
    const std::string tiff = std::string(MIRELTA_SOURCE_DIR) + "/fuzz/corpus/tiff/grey16_be.tif";
    CDibImage source;
    ASSERT_EQ(LoadImageFile(tiff, source), 1);
    ASSERT_EQ(source.bitCount(), 16);
    CThumbNail list;
    ASSERT_EQ(list.AddFromFile(tiff), 1);
    const CDibImage& t = list.At(0)->image;
    ASSERT_EQ(t.bitCount(), 24);
    for (int y = 0; y < t.height(); y += 13)
        for (int x = 0; x < t.width(); x += 17) {
            const Bgr p = PixelAt(t, x, y);
            EXPECT_TRUE(p.r == p.g && p.g == p.b) << x << "," << y;
        }
}

TEST_F(ThumbnailStore, RemoveByPathRemovesEveryMatchExactlyAndRenumbers) {
    CThumbNail list;
    const CDibImage picture = SolidPicture(8, 8, 0, 0, 0);
    for (const char* p : {"/f/a.bmp", "/f/A.bmp", "/f/a.bmp", "/f/b.bmp", "/f/a.bmp"})
        list.AddThumbnail(p, picture);
    EXPECT_EQ(list.RemoveByPath("/f/a.bmp"), 1);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.At(0)->path, "/f/A.bmp");
    EXPECT_EQ(list.At(1)->path, "/f/b.bmp");
    EXPECT_EQ(list.At(1)->index, 1);
    EXPECT_EQ(list.RemoveByPath("/f/b.bmp"), 1);
    EXPECT_EQ(list.RemoveByPath("/f/A.bmp"), 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.RemoveByPath("/f/A.bmp"), 0);
}

TEST_F(ThumbnailStore, SyncReportsProgressAndStopsWhenAsked) {
    CThumbNail scratch;
    for (int i = 0; i < 5; ++i)
        save(scratch, "p" + std::to_string(i) + ".bmp", {i, i, i});
    std::vector<std::pair<int, int>> calls;
    CThumbNail list;
    list.SyncWithFolder(folder(), [&](int done, int total) {
        calls.emplace_back(done, total);
        return done < 2;
    });
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 5}, {1, 5}, {2, 5}, {5, 5}}));
    // The rest come the next time.
    list.SyncWithFolder(folder());
    EXPECT_EQ(list.GetCount(), 5);
}

} // namespace
