#include "platform/popup_menu.h"
#include "platform/prompt.h"
#include "images/thumbnail_dlg.h"
#include "images/thumbnail_store.h"
#include "platform/temp_dir.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class ThumbnailBrowser : public ::testing::Test {
  protected:
    void SetUp() override {
        tile = QImage(200, 200, QImage::Format_RGB32);
        tile.fill(QColor(10, 70, 90));
    }

    // count entries whose thumbnails are blue i * 10, with files in the scratch folder.
    void fill(int count) {
        for (int i = 0; i < count; ++i) {
            CDibImage picture;
            picture.create(280, 210, 24);
            picture.fillRect(RGB(250, 0, i * 10));
            const std::string path = temp.file("pic" + std::to_string(i) + ".bmp");
            WriteBytes(path, "x");
            list.AddThumbnail(path, picture);
        }
    }

    QPoint inside(const CThumbnailDlg& b, int i) const {
        const IntRect c = b.grid().cell(i);
        return {c.left + 10, c.top + 30};
    }

    TempDir temp;
    CThumbNail list;
    QImage tile;
    ScriptedPrompt prompt;
    ScriptedPopupMenu menu;
};

TEST_F(ThumbnailBrowser, ScrollRangeFollowsTheCountAndTheSize) {
    fill(20);
    CThumbnailDlg b(&list, &tile, prompt, menu);
    b.show();
    EXPECT_EQ(b.windowTitle(), "Thumbnail");
    ASSERT_EQ(b.grid().cols(), 4);
    ASSERT_EQ(b.grid().rows(), 4);
    EXPECT_TRUE(b.scrollBar()->isEnabled());
    EXPECT_EQ(b.scrollBar()->maximum(), 2); // (20 - 16) / 4 + 1
    EXPECT_EQ(b.scrollBar()->value(), 0);
    // The bar stands at the right edge, over the full height.
    EXPECT_EQ(b.scrollBar()->geometry().right(), b.width() - 1);
    EXPECT_EQ(b.scrollBar()->height(), b.height());

    b.scrollBar()->setValue(2);
    EXPECT_EQ(b.grid().first(), 8);
    // Grown to show every thumbnail: nothing to scroll, and back at the top.
    b.resize(47 + 5 * 146, 10 + 4 * 115);
    EXPECT_FALSE(b.scrollBar()->isEnabled());
    EXPECT_EQ(b.grid().first(), 0);
}

TEST_F(ThumbnailBrowser, DoubleClickAndOpenEndWithTheEntryPlus1000) {
    fill(6);
    {
        CThumbnailDlg b(&list, &tile, prompt, menu);
        b.show();
        QTest::mouseDClick(&b, Qt::LeftButton, {}, inside(b, 4));
        EXPECT_EQ(b.result(), 1004);
    }
    {
        CThumbnailDlg b(&list, &tile, prompt, menu);
        b.show();
        menu.queue(CThumbnailDlg::kCommandOpen);
        QTest::mousePress(&b, Qt::RightButton, {}, inside(b, 5));
        EXPECT_EQ(b.selectedEntry(), 5);
        EXPECT_EQ(b.result(), 1005);
    }
    {
        // Past the last thumbnail nothing opens; closing gives less than 1000.
        CThumbnailDlg b(&list, &tile, prompt, menu);
        b.show();
        QTest::mouseDClick(&b, Qt::LeftButton, {}, inside(b, 7));
        QTest::mousePress(&b, Qt::RightButton, {}, inside(b, 7));
        EXPECT_TRUE(b.isVisible());
        EXPECT_EQ(menu.shown().size(), 1u);
        b.close();
        EXPECT_LT(b.result(), 1000);
    }
}

TEST_F(ThumbnailBrowser, RemoveDeletesTheFileAndRefreshesTheGrid) {
    fill(17);
    CThumbnailDlg b(&list, &tile, prompt, menu);
    b.show();
    EXPECT_TRUE(b.scrollBar()->isEnabled());
    menu.queue(CThumbnailDlg::kCommandRemove);
    QTest::mousePress(&b, Qt::RightButton, {}, inside(b, 3));
    EXPECT_FALSE(fs::exists(temp.file("pic3.bmp")));
    EXPECT_EQ(list.GetCount(), 16);
    EXPECT_EQ(list.At(3)->path, temp.file("pic4.bmp"));
    EXPECT_FALSE(b.scrollBar()->isEnabled());
    EXPECT_TRUE(b.isVisible());
}

TEST_F(ThumbnailBrowser, CellsShowThumbnailNumberNameAndTileInSunkenFrames) {
    fill(2);
    CThumbnailDlg b(&list, &tile, prompt, menu);
    b.show();
    const QImage shot = b.grab().toImage();
    const IntRect c0 = b.grid().cell(0);
    const IntRect c3 = b.grid().cell(3);
    // The thumbnail pixel for pixel (blue 0), away from the number and the name.
    EXPECT_EQ(QColor(shot.pixel(c0.left + 100, c0.top + 40)), QColor(250, 0, 0));
    EXPECT_EQ(QColor(shot.pixel(b.grid().cell(1).left + 100, c0.top + 40)), QColor(250, 0, 10));
    // The number on white in the top-left corner, the name on white at the bottom.
    bool white = false, dark = false;
    for (int y = c0.top; y < c0.top + 8; ++y)
        for (int x = c0.left; x < c0.left + 6; ++x) {
            const QColor p = shot.pixel(x, y);
            white |= p == Qt::white;
            dark |= p.red() < 100 && p.green() < 100 && p.blue() < 100;
        }
    EXPECT_TRUE(white && dark);
    bool nameWhite = false;
    for (int x = c0.left; x < c0.right; ++x)
        nameWhite |= QColor(shot.pixel(x, c0.bottom - 1)) == Qt::white;
    EXPECT_TRUE(nameWhite);
    // An empty cell: the background tile, framed dark above and left, white below and right.
    EXPECT_EQ(QColor(shot.pixel(c3.left + 70, c3.top + 50)), QColor(10, 70, 90));
    EXPECT_EQ(QColor(shot.pixel(c3.left + 70, c3.top - 2)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(shot.pixel(c3.left - 2, c3.top + 50)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(shot.pixel(c3.left + 70, c3.bottom + 1)), QColor(Qt::white));
    EXPECT_EQ(QColor(shot.pixel(c3.right + 1, c3.top + 50)), QColor(Qt::white));
}

} // namespace
