#include "images/bmp_codec.h"
#include "images/camera_pause.h"
#include "images/image_saving.h"
#include "images/jpeg_codec.h"
#include "images/picture_file_writer.h"
#include "images/save_paths.h"
#include "images/thumbnail_store.h"

#include "thumbnail_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
// clang-format off
#include <jpeglib.h>
// clang-format on

using namespace codec_test;
using namespace thumb_test;
namespace fs = std::filesystem;

namespace {

// The first value of the luminance table: 1, 3 and 8 for qualities 100, 90 and 75.
struct JpegHeader {
    int quant0 = -1;
    bool progressive = false;
};
JpegHeader ReadJpegHeader(const std::string& path) {
    const auto bytes = ReadBytes(path);
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    JpegHeader h{cinfo.quant_tbl_ptrs[0]->quantval[0], cinfo.progressive_mode != 0};
    jpeg_destroy_decompress(&cinfo);
    return h;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PictureFileWriter, WritesBmpAndProgressiveJpegAtTheQualityOfTheType) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(160, 120);
    ASSERT_EQ(WritePictureFile(dir.path("p.bmp"), picture, 1), 1);
    CDibImage back;
    ASSERT_EQ(ReadBmp(dir.path("p.bmp"), back), 1);
    EXPECT_TRUE(SamePixels(back, picture));
    EXPECT_EQ(fs::file_size(dir.path("p.bmp")), 54u + 160u * 3u * 120u);

    for (const auto& [type, quant0] : {std::pair{2, 1}, {3, 3}, {4, 8}}) {
        const std::string path = dir.path("q" + std::to_string(type) + ".jpg");
        ASSERT_EQ(WritePictureFile(path, picture, type), 1);
        const JpegHeader h = ReadJpegHeader(path);
        EXPECT_EQ(h.quant0, quant0) << type;
        EXPECT_TRUE(h.progressive) << type;
    }
    for (int type : {0, 5, -1}) {
        EXPECT_EQ(WritePictureFile(dir.path("none.bmp"), picture, type), 0) << type;
        EXPECT_FALSE(fs::exists(dir.path("none.bmp")));
    }
}

TEST(PictureFileWriter, AFailedWriteLeavesTheOlderPictureWholeAndNoTemporaryFile) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.path("keep.bmp");
    const CDibImage older = SolidPicture(64, 64, 10, 20, 30);
    ASSERT_EQ(WritePictureFile(path, older, 1), 1);
    const auto before = ReadBytes(path);
    {
        // Like a full disk: the new, bigger file cannot be written completely.
        FileSizeLimit limit(before.size() + 1000);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(WritePictureFile(path, MakeTestPicture(640, 480), 1), 0);
        EXPECT_EQ(WritePictureFile(path, MakeTestPicture(640, 480), 2), 0);
    }
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Entries(dir.path("")), std::vector<std::string>{"keep.bmp"});
    EXPECT_EQ(WritePictureFile(dir.path("no-folder/x.bmp"), older, 1), 0);
}

TEST(SaveImage, WritesTheCopyWithTheOverlayAndAddsItsThumbnail) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    CThumbNail list;
    CDibImage shown = SolidPicture(200, 100, 0, 0, 0);
    int burns = 0;
    const OverlayBurnIn burn = [&](CDibImage& copy) {
        ++burns;
        EXPECT_EQ(copy.bitCount(), 24);
        copy.fillRect({0, 0, 100, 100}, RGB(255, 255, 255));
    };
    ASSERT_EQ(SaveImage(list, dir.path("b.bmp"), shown, 1, burn), SaveResult::Written);
    EXPECT_EQ(burns, 1);
    // The picture on screen is untouched; the file and the thumbnail carry the overlay.
    EXPECT_TRUE(IsColour(shown, 10, 10, 0, 0, 0));
    CDibImage file;
    ASSERT_EQ(ReadBmp(dir.path("b.bmp"), file), 1);
    EXPECT_TRUE(IsColour(file, 10, 10, 255, 255, 255));
    EXPECT_TRUE(IsColour(file, 150, 10, 0, 0, 0));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(IsColour(list.At(0)->image, 10, 10, 255, 255, 255));
    EXPECT_TRUE(IsColour(list.At(0)->image, 130, 10, 0, 0, 0));

    // An 8-bit picture is saved as a 24-bit one.
    CDibImage grey;
    grey.create(20, 10, 8);
    grey.fillRect(RGB(77, 77, 77));
    ASSERT_EQ(SaveImage(list, dir.path("g.bmp"), grey, 1), SaveResult::Written);
    ASSERT_EQ(ReadBmp(dir.path("g.bmp"), file), 1);
    EXPECT_EQ(file.bitCount(), 24);
    EXPECT_TRUE(IsColour(file, 3, 3, 77, 77, 77));
}

TEST(SaveImage, NothingChangesUnlessTheFileWasWritten) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    CThumbNail list;
    const CDibImage picture = SolidPicture(32, 32, 9, 9, 9);
    ASSERT_EQ(SaveImage(list, dir.path("a.bmp"), picture, 1), SaveResult::Written);
    for (int type : {0, 5, 99}) {
        EXPECT_EQ(SaveImage(list, dir.path("a.bmp"), SolidPicture(32, 32, 1, 1, 1), type),
                  SaveResult::UnknownType);
        EXPECT_EQ(SaveImage(list, dir.path("t.bmp"), picture, type), SaveResult::UnknownType);
    }
    EXPECT_EQ(SaveImage(list, dir.path("e.bmp"), CDibImage(), 1), SaveResult::NoPicture);
    EXPECT_EQ(SaveImage(list, dir.path("missing/x.bmp"), picture, 1), SaveResult::WriteFailed);
    // A failed write over an existing picture keeps the picture and its thumbnail.
    chmod(dir.path("a.bmp").c_str(), 0444);
    if (access(dir.path("a.bmp").c_str(), W_OK) != 0) {
        EXPECT_EQ(SaveImage(list, dir.path("a.bmp"), SolidPicture(32, 32, 200, 0, 0), 1),
                  SaveResult::WriteFailed);
    }
    EXPECT_EQ(Entries(dir.path("")), std::vector<std::string>{"a.bmp"});
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(IsColour(list.At(0)->image, 0, 0, 9, 9, 9));
}

TEST(SavePaths, FiltersAndTheRulesForTheChosenPath) {
    const auto filters = PictureSaveFilters();
    ASSERT_EQ(filters.size(), 4u);
    EXPECT_STREQ(filters[0].english, "Bitmap File(*.bmp)");
    EXPECT_STREQ(filters[3].english, "Jpeg File(low)(*.jpg)");
    EXPECT_STREQ(filters[2].japanese, "JPEGファイル（中画質）(*.jpg)");
    EXPECT_STREQ(filters[1].pattern, "*.jpg");

    struct Case {
        const char* chosen;
        int type;
        const char* path;
    } cases[] = {
        {"/d/x.bmp", 4, "/d/x.jpg"},       {"/d/x.bmp", 1, "/d/x.bmp"},
        {"/d/x.png", 1, "/d/x.png"},       {"/d/x", 2, "/d/x.jpg"},
        {"/d/a.b.tif", 3, "/d/a.b.jpg"},   {"/d/x.jpg", 3, "/d/x.jpg"},
        {"/d.e/name", 2, "/d.e/name.jpg"}, {"/d/x.bmp", 7, "/d/x.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SavePathForType(c.chosen, c.type), c.path) << c.chosen << " " << c.type;
    EXPECT_STREQ(PictureExtension(1), ".bmp");
    EXPECT_STREQ(PictureExtension(4), ".jpg");
    EXPECT_STREQ(PictureExtension(0), "");
    EXPECT_EQ(FolderOfPath("/a/b/c.jpg"), "/a/b");
    EXPECT_EQ(FolderOfPath("/c.jpg"), "/");
    EXPECT_TRUE(SameFolder("/a/b/", "/a/b"));
    EXPECT_FALSE(SameFolder("/a/b", "/a/B"));
    EXPECT_TRUE(FitsPicturePathLimit(std::string(259, 'a')));
    EXPECT_FALSE(FitsPicturePathLimit(std::string(260, 'a')));
    std::string japanese;
    for (int i = 0; i < 259; ++i)
        japanese += "写"; // one UTF-16 unit each
    EXPECT_TRUE(FitsPicturePathLimit(japanese));
    EXPECT_FALSE(FitsPicturePathLimit(japanese + "x"));
}

TEST(CameraPause, ByCameraName) {
    EXPECT_EQ(CameraPauseFor("VESPIR-220KT4"), CameraPause::KeepRunning);
    EXPECT_EQ(CameraPauseFor("VESPIR-220KT4-MR"), CameraPause::KeepRunning);
    EXPECT_EQ(CameraPauseFor("VESPIR-220KT"), CameraPause::StopAndLiveAgain);
    EXPECT_EQ(CameraPauseFor("USB PC Camera-375"), CameraPause::StopAndLiveAgain);
    for (const char* other : {"vespir-220kt4", "VESPIR-220KT4 ", "Demo Microscope", ""})
        EXPECT_EQ(CameraPauseFor(other), CameraPause::PauseGraph) << other;
}

} // namespace
