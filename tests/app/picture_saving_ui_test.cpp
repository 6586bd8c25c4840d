#include "view/image_button.h"
#include "app/main_dialog_template.h"
#include "app/picture_saving.h"
#include "images/jpeg_codec.h"
#include "images/picture_file_writer.h"
#include "images/thumbnail_index.h"
#include "model/measure.h"

#include "main_window_fixture.h"

#include <QComboBox>
#include <QTest>

#include <sys/stat.h>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace fs = std::filesystem;

namespace {

// The first value of the file's luminance table: 1, 3, 8 for qualities 100, 90, 75.
int JpegQuant0(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    const int q = cinfo.quant_tbl_ptrs[0]->quantval[0];
    jpeg_destroy_decompress(&cinfo);
    return q;
}

bool IsDefaultName(const std::string& name, const char* ext) {
    if (name.size() != 14 + std::strlen(ext) || !name.ends_with(ext))
        return false;
    return std::all_of(name.begin(), name.begin() + 14,
                       [](char c) { return c >= '0' && c <= '9'; });
}

using PictureSavingTest = MainWindowTest;

TEST_F(PictureSavingTest, SaveDialogAsksWithItsTypesAndLowJpegReplacesTheTypedExtension) {
    CMeasureDlg& d = open();
    fillDisplay(10, 200, 30);
    choosers.queue(saveFolder() + "/specimen.bmp", 4);
    QTest::mouseClick(d.item(idc::SaveImage), Qt::LeftButton);

    ASSERT_EQ(choosers.asked().size(), 1u);
    const FileRequest& r = choosers.asked()[0].request;
    EXPECT_EQ(choosers.asked()[0].kind, ScriptedChoosers::Kind::Save);
    EXPECT_EQ(r.title, "Save as");
    ASSERT_EQ(r.filters.size(), 4u);
    EXPECT_EQ(r.filters[0].description, "Bitmap File(*.bmp)");
    EXPECT_EQ(r.filters[1].description, "Jpeg File(high)(*.jpg)");
    EXPECT_EQ(r.filters[2].description, "Jpeg File(medium)(*.jpg)");
    EXPECT_EQ(r.filters[3].description, "Jpeg File(low)(*.jpg)");
    EXPECT_EQ(r.filters[3].pattern, "*.jpg");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.defaultExtension, "bmp");
    EXPECT_TRUE(r.confirmOverwrite);
    const std::string suggested = r.fileName;
    EXPECT_EQ(fs::path(suggested).parent_path().string(), saveFolder());
    EXPECT_TRUE(IsDefaultName(fs::path(suggested).filename().string(), ""));

    EXPECT_EQ(files(saveFolder()), std::vector<std::string>{"specimen.jpg"});
    EXPECT_EQ(JpegQuant0(saveFolder() + "/specimen.jpg"), 8); // quality 75
    EXPECT_EQ(names(), std::vector<std::string>{"specimen.jpg"});
    EXPECT_TRUE(prompt.asked().empty());
    // The type chosen is the next dialog's first choice and is kept in the settings.
    EXPECT_EQ(d.settings().m_FilterIndex, 4);
    close();
    EXPECT_NE(ReadBytes(dir + "/Mirelta.ini").find("m_FilterIndex=4"), std::string::npos);
}

TEST_F(PictureSavingTest, JapaneseSaveDialogAndCancelSavesNothing) {
    g_bJapanese = true;
    open();
    choosers.queueCancel();
    dlg->saving().OnSave();
    ASSERT_EQ(choosers.asked().size(), 1u);
    const FileRequest& r = choosers.asked()[0].request;
    EXPECT_EQ(r.title, std::string("保存先指定"));
    EXPECT_EQ(r.filters[0].description, std::string("ビットマップファイル(*.bmp)"));
    EXPECT_EQ(r.filters[1].description, std::string("JPEGファイル（高画質）(*.jpg)"));
    EXPECT_TRUE(files(saveFolder()).empty());
    EXPECT_EQ(dlg->thumbnails().GetCount(), 0);
}

TEST_F(PictureSavingTest, AJpegNameThatWouldReplaceAnotherFileIsAskedAbout) {
    open();
    fillDisplay(1, 2, 3);
    dlg->saving().saveTo(saveFolder() + "/keep.jpg", 2);
    const std::string before = ReadBytes(saveFolder() + "/keep.jpg");
    fillDisplay(200, 200, 200);
    choosers.queue(saveFolder() + "/keep.bmp", 3);
    prompt.queue(PromptAnswer::No);
    dlg->saving().OnSave();
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_TRUE(QString::fromStdString(prompt.asked()[0].text).contains("keep.jpg"));
    EXPECT_EQ(ReadBytes(saveFolder() + "/keep.jpg"), before);

    choosers.queue(saveFolder() + "/keep.bmp", 3);
    prompt.queue(PromptAnswer::Yes);
    dlg->saving().OnSave();
    EXPECT_NE(ReadBytes(saveFolder() + "/keep.jpg"), before);
    EXPECT_EQ(names(), std::vector<std::string>{"keep.jpg"});
}

TEST_F(PictureSavingTest, SavingIntoAnotherFolderMovesTheStripThere) {
    fs::create_directories(dir + "/other");
    open();
    dlg->saving().saveTo(saveFolder() + "/first.bmp", 1);
    choosers.queue(dir + "/other/second.bmp", 1);
    dlg->saving().OnSave();
    EXPECT_EQ(dlg->settings().savedir, dir + "/other");
    EXPECT_EQ(names(), std::vector<std::string>{"second.bmp"});
    // The old folder's index was written when the folder changed.
    CThumbNail old;
    EXPECT_EQ(old.LoadIndex(ThumbnailIndexPath(saveFolder())), 1);
    EXPECT_EQ(old.GetCount(), 1);
}

TEST_F(PictureSavingTest, QuickSavesUseTheDefaultNameAndTheTypeSetting) {
    CMeasureDlg& d = open();
    // F12 from a control, BMP.
    QTest::keyClick(d.item(idc::ScreenScale), Qt::Key_F12);
    ASSERT_EQ(files(saveFolder()).size(), 1u);
    EXPECT_TRUE(IsDefaultName(files(saveFolder())[0], ".bmp"));
    // The right button on SAVE, JPEG medium.
    d.settings().m_FilterIndex = 3;
    QTest::mouseClick(d.item(idc::SaveImage), Qt::RightButton);
    std::vector<std::string> jpegs;
    for (const std::string& f : files(saveFolder()))
        if (f.ends_with(".jpg"))
            jpegs.push_back(f);
    ASSERT_EQ(jpegs.size(), 1u);
    EXPECT_TRUE(IsDefaultName(jpegs[0], ".jpg"));
    EXPECT_EQ(JpegQuant0(saveFolder() + "/" + jpegs[0]), 3);
    EXPECT_EQ(d.thumbnails().GetCount(), 2);
    EXPECT_TRUE(choosers.asked().empty());
    EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(PictureSavingTest, AnUnknownTypeOrAFailedWriteSavesNothingAndSaysSo) {
    CMeasureDlg& d = open();
    for (int type : {0, 5}) {
        d.settings().m_FilterIndex = type;
        d.QuickSave();
        d.saving().OnQuickSave();
    }
    EXPECT_TRUE(files(saveFolder()).empty());
    EXPECT_EQ(prompt.asked().size(), 4u);

    d.settings().m_FilterIndex = 1;
    d.settings().savedir = dir + "/gone";
    d.QuickSave();
    EXPECT_EQ(d.thumbnails().GetCount(), 0);
    ASSERT_EQ(prompt.asked().size(), 5u);
    EXPECT_TRUE(QString::fromStdString(prompt.asked()[4].text).startsWith("The picture could not be saved."));

    d.settings().savedir = dir + "/" + std::string(250, 'n');
    d.QuickSave();
    ASSERT_EQ(prompt.asked().size(), 6u);
    EXPECT_TRUE(QString::fromStdString(prompt.asked()[5].text).startsWith("The file name is too long."));
}

TEST_F(PictureSavingTest, LiveCamerasArePausedByTheirName) {
    struct Case {
        const char* name;
        int live;
        int pauses;
    } cases[] = {{"VESPIR-220KT4", 0, 0},
                 {"VESPIR-220KT4-MR", 0, 0},
                 {"VESPIR-220KT", 2, 0},
                 {"USB PC Camera-375", 2, 0},
                 {"Demo Microscope", 0, 1}};
    CMeasureDlg& d = open();
    for (const Case& c : cases) {
        camera.current.started = true;
        camera.current.stopped = false;
        camera.current.name = c.name;
        const int live = camera.liveRequests;
        const int pauses = camera.pauses;
        choosers.queueCancel();
        d.saving().OnSave();
        EXPECT_EQ(camera.liveRequests - live, c.live) << c.name;
        EXPECT_EQ(camera.pauses - pauses, c.pauses) << c.name;
        EXPECT_EQ(camera.resumes, camera.pauses) << c.name;
        d.saving().OnQuickSave();
        EXPECT_EQ(camera.liveRequests - live, 2 * c.live) << c.name;
        // F12 never pauses.
        d.QuickSave();
        EXPECT_EQ(camera.liveRequests - live, 2 * c.live) << c.name;
        EXPECT_EQ(camera.pauses - pauses, 2 * c.pauses) << c.name;
    }
    // A stopped camera is not touched.
    camera.current.stopped = true;
    camera.current.name = "USB PC Camera-375";
    const int live = camera.liveRequests;
    d.saving().OnQuickSave();
    EXPECT_EQ(camera.liveRequests, live);
}

TEST_F(PictureSavingTest, DirTakesOnlyAWritableFolder) {
    fs::create_directories(dir + "/chosen");
    CMeasureDlg& d = open();
    d.saving().saveTo(saveFolder() + "/a.bmp", 1);
    {
        CThumbNail there;
        there.AddThumbnail(dir + "/chosen/b.bmp", d.displayImage());
        WriteBytes(dir + "/chosen/b.bmp", "exists");
        there.SaveIndex(ThumbnailIndexPath(dir + "/chosen"));
    }
    WriteBytes(dir + "/plain-file", "x");
    for (const std::string& refused : {dir + "/missing", dir + "/plain-file"}) {
        choosers.queue(refused);
        QTest::mouseClick(d.item(idc::SaveDir), Qt::LeftButton);
        EXPECT_EQ(d.settings().savedir, saveFolder());
    }
    EXPECT_EQ(prompt.asked().size(), 2u);
    EXPECT_EQ(names(), std::vector<std::string>{"a.bmp"});

    choosers.queue(dir + "/chosen");
    QTest::mouseClick(d.item(idc::SaveDir), Qt::LeftButton);
    const auto& asked = choosers.asked().back();
    EXPECT_EQ(asked.kind, ScriptedChoosers::Kind::Folder);
    EXPECT_EQ(asked.request.title, std::string("フォルダを選択して下さい"));
    EXPECT_EQ(d.settings().savedir, dir + "/chosen");
    EXPECT_EQ(names(), std::vector<std::string>{"b.bmp"});
    EXPECT_TRUE(fs::exists(ThumbnailIndexPath(saveFolder())));
}

TEST_F(PictureSavingTest, TypeSavesTheOverlayDrawnAtX1WhileTheScreenStaysAtX3) {
    CMeasureDlg& d = open();
    d.resize(1100, 860);
    d.displayImage().create(1280, 1024, 24);
    fillDisplay(90, 90, 90);
    MEASURE line;
    line.kind = -MeasureKind::Line;
    line.pointCount = 2;
    const DPOINT ends[2] = {{100, 200}, {400, 200}};
    ASSERT_TRUE(line.points.Write(0, ends, 2));
    d.measurements().AddNode(&line);
    auto* combo = d.itemAs<QComboBox>(idc::ScreenScale);
    combo->setCurrentIndex(11); // x3
    emit combo->activated(11);
    ASSERT_EQ(d.magnification(), 11);
    const double offsetX = d.view().m_Bai_X;

    auto* type = d.itemAs<ImageButton>(idc::Type);
    EXPECT_EQ(type->cellOrigin(), QPoint(100, 159));
    QTest::mouseClick(type, Qt::LeftButton);
    EXPECT_TRUE(d.saving().burnIn());
    EXPECT_EQ(type->cellOrigin(), QPoint(150, 159)); // the button shows the state
    d.saving().saveTo(saveFolder() + "/burnt.bmp", 1);
    CDibImage saved;
    ASSERT_EQ(ReadBmp(saveFolder() + "/burnt.bmp", saved), 1);
    const COLORREF colour = d.settings().color.line;
    auto isLine = [&](int x, int y) {
        const std::uint8_t* p = saved.scanLine(y) + 3 * x;
        return RGB(p[2], p[1], p[0]) == colour;
    };
    // Along the line in picture pixels, not where x3 would put it.
    EXPECT_TRUE(isLine(150, 200));
    EXPECT_TRUE(isLine(350, 200));
    EXPECT_FALSE(isLine(450, 200));
    EXPECT_FALSE(isLine(450, 600));
    EXPECT_FALSE(isLine(1000, 600));
    EXPECT_EQ(d.displayImage().scanLine(200)[3 * 150], 90); // the screen's picture is untouched
    EXPECT_EQ(d.magnification(), 11);
    EXPECT_EQ(combo->currentIndex(), 11);
    EXPECT_EQ(d.view().m_Bai_X, offsetX);

    // Without TYPE the same save carries no overlay.
    QTest::mouseClick(type, Qt::LeftButton);
    EXPECT_FALSE(d.saving().burnIn());
    d.saving().saveTo(saveFolder() + "/plain.bmp", 1);
    ASSERT_EQ(ReadBmp(saveFolder() + "/plain.bmp", saved), 1);
    EXPECT_FALSE(isLine(150, 200));
}

TEST_F(PictureSavingTest, ThreeSavesComeBackAfterARestartAndAnEmptyFolderLeavesNoIndex) {
    open();
    const char* names3[] = {"z.bmp", "m.jpg", "a.bmp"};
    for (const char* n : names3)
        dlg->saving().saveTo(saveFolder() + "/" + n, std::string(n).ends_with(".jpg") ? 2 : 1);
    close();
    EXPECT_TRUE(fs::exists(ThumbnailIndexPath(saveFolder())));
    open();
    EXPECT_EQ(names(), (std::vector<std::string>{"z.bmp", "m.jpg", "a.bmp"}));
    close();
    for (const char* n : names3)
        fs::remove(saveFolder() + "/" + n);
    open();
    EXPECT_EQ(dlg->thumbnails().GetCount(), 0);
    close();
    EXPECT_FALSE(fs::exists(ThumbnailIndexPath(saveFolder())));
}

TEST_F(PictureSavingTest, MakingManyThumbnailsAtStartShowsProgress) {
    fs::create_directories(saveFolder());
    CDibImage picture;
    picture.create(320, 240, 24);
    for (int i = 0; i < 12; ++i)
        WritePictureFile(saveFolder() + "/p" + std::to_string(100 + i) + ".bmp", picture, 1);
    open(0);
    EXPECT_TRUE(dlg->saving().progressShown());
    EXPECT_EQ(dlg->thumbnails().GetCount(), 12);
    close();
    // The next start reads the index: nothing to decode, no progress.
    open(0);
    EXPECT_FALSE(dlg->saving().progressShown());
    EXPECT_EQ(dlg->thumbnails().GetCount(), 12);
}

} // namespace
