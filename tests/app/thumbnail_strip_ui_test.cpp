#include "app/main_dialog_template.h"
#include "app/picture_saving.h"
#include "app/thumbnail_strip.h"
#include "images/thumbnail_dlg.h"

#include "main_window_fixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

class ThumbnailStripTest : public MainWindowTest {
  protected:
    // Saves pictures of distinct colours: entry i is red i * 20.
    void savePictures(int count) {
        for (int i = 0; i < count; ++i) {
            fillDisplay(i * 20, 100, 50);
            dlg->saving().saveTo(saveFolder() + "/p" + std::to_string(i) + ".bmp", 1);
        }
    }
    QWidget* box() const { return dlg->item(idc::StripGroup); }
    // The centre of entry i's cell, in the group box's coordinates.
    QPoint cellCentre(int i) const {
        const StripMetrics m = dlg->strip().metrics();
        for (const StripCell& c :
             VisibleStripCells(dlg->strip().box(), m, dlg->strip().firstShown(), i + 1))
            if (c.index == i)
                return box()->mapFrom(dlg.get(),
                                      QPoint(c.x + m.cellWidth / 2, c.y + m.cellHeight / 2));
        ADD_FAILURE() << "entry " << i << " not shown";
        return {};
    }
    int shownRed() const { return dlg->displayImage().scanLine(0)[2]; }
};

TEST_F(ThumbnailStripTest, ScrollBarIsHiddenForFiveAndShownForTenWhenSixFit) {
    CMeasureDlg& d = open();
    // A strip 8 + 5 cells + 20 pixels wide shows five whole cells and part of a sixth.
    d.resize(d.panelRoom() + 8 + 5 * 146 + 20, d.height());
    QCoreApplication::processEvents();
    ASSERT_EQ(StripVisibleCount(d.strip().box(), d.strip().metrics()), 6);
    auto* scroll = d.itemAs<QScrollBar>(idc::ThumbScroll);
    for (int i = 0; i < 5; ++i)
        d.thumbnails().AddThumbnail("/x/" + std::to_string(i) + ".bmp", d.displayImage());
    d.UpdateStripScroll();
    EXPECT_FALSE(scroll->isVisible());
    EXPECT_EQ(scroll->maximum(), 0);
    for (int i = 5; i < 10; ++i)
        d.thumbnails().AddThumbnail("/x/" + std::to_string(i) + ".bmp", d.displayImage());
    d.UpdateStripScroll();
    EXPECT_TRUE(scroll->isVisible());
    // Range 0 ... 10 with a page of 6: positions 0 ... 5.
    EXPECT_EQ(scroll->minimum(), 0);
    EXPECT_EQ(scroll->maximum(), 5);
    EXPECT_EQ(scroll->pageStep(), 6);
    // Hiding the bottom panel hides the bar whatever the count.
    QTest::mouseClick(d.item(idc::StripToggle), Qt::LeftButton);
    EXPECT_FALSE(scroll->isVisible());
    QTest::mouseClick(d.item(idc::StripToggle), Qt::LeftButton);
    EXPECT_TRUE(scroll->isVisible());
    // A wider window fits them all.
    d.resize(d.panelRoom() + 8 + 10 * 146 + 20, d.height());
    QCoreApplication::processEvents();
    EXPECT_FALSE(scroll->isVisible());
}

TEST_F(ThumbnailStripTest, TheStripShowsTheSavedPictures) {
    CMeasureDlg& d = open();
    savePictures(2); // red 0 and red 20, green 100, blue 50
    d.repaint();
    const QImage shot = d.grab().toImage();
    const QPoint first = box()->mapTo(&d, cellCentre(0)) + QPoint(30, 0);
    const QPoint second = box()->mapTo(&d, cellCentre(1)) + QPoint(30, 0);
    auto near = [](QRgb p, int r, int g, int b) {
        return std::abs(qRed(p) - r) <= 2 && std::abs(qGreen(p) - g) <= 2 &&
               std::abs(qBlue(p) - b) <= 2;
    };
    EXPECT_TRUE(near(shot.pixel(first), 0, 100, 50)) << std::hex << shot.pixel(first);
    EXPECT_TRUE(near(shot.pixel(second), 20, 100, 50)) << std::hex << shot.pixel(second);
    const std::vector<StripEntry> entries = d.strip().entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, "p1.bmp");
    EXPECT_EQ(entries[1].picture, &d.thumbnails().At(1)->image);
}

TEST_F(ThumbnailStripTest, DoubleClickOpensTheThumbnailsPictureAndStopsTheCamera) {
    CMeasureDlg& d = open();
    savePictures(3);
    fillDisplay(0, 0, 0);
    camera.current.started = true;
    camera.current.stopped = false;
    const int live = camera.liveRequests;
    QTest::mouseDClick(box(), Qt::LeftButton, {}, cellCentre(1));
    EXPECT_EQ(camera.liveRequests, live + 1);
    EXPECT_EQ(shownRed(), 20);
    EXPECT_EQ(d.cursorType(), 3);
    // The title drops the frame rate once the camera is stopped.
    camera.current.stopped = true;
    QTRY_COMPARE(d.windowTitle(), QStringLiteral("Mirelta Version 1.658"));

    // A picture that can no longer be read leaves the one shown and says so.
    WriteBytes(saveFolder() + "/p2.bmp", "broken");
    QTest::mouseDClick(box(), Qt::LeftButton, {}, cellCentre(2));
    EXPECT_EQ(shownRed(), 20);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_TRUE(QString::fromStdString(prompt.asked()[0].text).contains("p2.bmp"));
}

TEST_F(ThumbnailStripTest, RightButtonMenuOpensRemovesAndTrashes) {
    TempDir xdg;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(xdg.path()));
    CMeasureDlg& d = open();
    savePictures(4);

    menu.queue(CThumbnailDlg::kCommandOpen);
    QTest::mousePress(box(), Qt::RightButton, {}, cellCentre(3));
    ASSERT_EQ(menu.shown().size(), 1u);
    ASSERT_EQ(menu.shown()[0].size(), 3u);
    EXPECT_EQ(menu.shown()[0][0].text, "Open");
    EXPECT_EQ(menu.shown()[0][1].text, "Remove");
    EXPECT_EQ(menu.shown()[0][2].text, "Trash box");
    EXPECT_EQ(d.strip().selectedEntry(), 3);
    EXPECT_EQ(shownRed(), 60);

    menu.queue(CThumbnailDlg::kCommandTrash);
    QTest::mousePress(box(), Qt::RightButton, {}, cellCentre(1));
    EXPECT_EQ(names(), (std::vector<std::string>{"p0.bmp", "p2.bmp", "p3.bmp"}));
    EXPECT_FALSE(fs::exists(saveFolder() + "/p1.bmp"));
    // In the desktop's trash, with what is needed to restore it.
    EXPECT_TRUE(fs::exists(xdg.path() + "/Trash/files/p1.bmp"));
    const std::string info = ReadBytes(xdg.path() + "/Trash/info/p1.bmp.trashinfo");
    EXPECT_NE(info.find("Path=" + saveFolder() + "/p1.bmp"), std::string::npos);

    menu.queue(CThumbnailDlg::kCommandRemove);
    QTest::mousePress(box(), Qt::RightButton, {}, cellCentre(0));
    EXPECT_EQ(names(), (std::vector<std::string>{"p2.bmp", "p3.bmp"}));
    EXPECT_FALSE(fs::exists(saveFolder() + "/p0.bmp"));
    EXPECT_FALSE(fs::exists(xdg.path() + "/Trash/files/p0.bmp"));

    // A file already gone loses its thumbnail quietly; no choice changes nothing.
    fs::remove(saveFolder() + "/p2.bmp");
    menu.queue(CThumbnailDlg::kCommandRemove);
    QTest::mousePress(box(), Qt::RightButton, {}, cellCentre(0));
    QTest::mousePress(box(), Qt::RightButton, {}, cellCentre(0));
    EXPECT_EQ(names(), std::vector<std::string>{"p3.bmp"});
    EXPECT_TRUE(prompt.asked().empty());

    if (oldData.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldData);
}

TEST_F(ThumbnailStripTest, TrashBoxFindsTheTrashWithoutAUserDataFolder) {
    // A fresh home without ~/.local/share, and a working folder elsewhere.
    TempDir home;
    TempDir work;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const std::string oldWork = fs::current_path().string();
    qputenv("HOME", QByteArray::fromStdString(home.path()));
    qunsetenv("XDG_DATA_HOME");
    fs::current_path(work.path());
    CMeasureDlg& d = open();
    savePictures(1);
    menu.queue(CThumbnailDlg::kCommandTrash);
    QTest::mousePress(box(), Qt::RightButton, {}, cellCentre(0));
    EXPECT_TRUE(fs::exists(home.path() + "/.local/share/Trash/files/p0.bmp"));
    EXPECT_TRUE(fs::exists(home.path() + "/.local/share/Trash/info/p0.bmp.trashinfo"));
    EXPECT_TRUE(work.entries().empty());
    EXPECT_EQ(d.thumbnails().GetCount(), 0);
    fs::current_path(oldWork);
    qputenv("HOME", oldHome);
    if (!oldData.isNull())
        qputenv("XDG_DATA_HOME", oldData);
}

TEST_F(ThumbnailStripTest, DraggingAcrossTheStripScrollsOneThumbnailPerCell) {
    CMeasureDlg& d = open();
    d.resize(d.panelRoom() + 8 + 3 * 146 + 20, d.height());
    QCoreApplication::processEvents();
    for (int i = 0; i < 10; ++i)
        d.thumbnails().AddThumbnail("/x/" + std::to_string(i) + ".bmp", d.displayImage());
    d.UpdateStripScroll();
    auto* scroll = d.itemAs<QScrollBar>(idc::ThumbScroll);
    const QPoint start = cellCentre(2);
    QTest::mousePress(box(), Qt::LeftButton, {}, start);
    EXPECT_TRUE(d.strip().dragging());
    QTest::mouseMove(box(), start - QPoint(100, 0));
    EXPECT_EQ(scroll->value(), 0); // less than a cell
    QTest::mouseMove(box(), start - QPoint(150, 0));
    EXPECT_EQ(scroll->value(), 1);
    QTest::mouseMove(box(), start - QPoint(300, 0));
    EXPECT_EQ(scroll->value(), 2);
    QTest::mouseMove(box(), start);
    EXPECT_EQ(scroll->value(), 1);
    QTest::mouseRelease(box(), Qt::LeftButton, {}, start);
    EXPECT_FALSE(d.strip().dragging());
    QTest::mouseMove(box(), start - QPoint(300, 0));
    EXPECT_EQ(scroll->value(), 1);
}

// Acts on the thumbnail browser once THUMB has opened it.
void WithBrowser(const std::function<void(CThumbnailDlg&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* browser = qobject_cast<CThumbnailDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(browser, nullptr);
        act(*browser);
    });
}

TEST_F(ThumbnailStripTest, TheBrowsersOpenEqualsADoubleClickAndClosingOpensNothing) {
    CMeasureDlg& d = open();
    savePictures(3);
    fillDisplay(0, 0, 0);
    const int live = camera.liveRequests;

    WithBrowser([](CThumbnailDlg& b) { b.reject(); });
    QTest::mouseClick(d.item(idc::Thumb), Qt::LeftButton);
    EXPECT_EQ(camera.liveRequests, live);
    EXPECT_EQ(shownRed(), 0);

    WithBrowser([](CThumbnailDlg& b) {
        const IntRect c = b.grid().cell(1);
        QTest::mouseDClick(&b, Qt::LeftButton, {}, QPoint(c.left + 5, c.top + 5));
    });
    QTest::mouseClick(d.item(idc::Thumb), Qt::LeftButton);
    EXPECT_EQ(camera.liveRequests, live + 1);
    EXPECT_EQ(shownRed(), 20);

    menu.queue(CThumbnailDlg::kCommandOpen);
    WithBrowser([](CThumbnailDlg& b) {
        const IntRect c = b.grid().cell(2);
        QTest::mousePress(&b, Qt::RightButton, {}, QPoint(c.left + 5, c.top + 5));
    });
    QTest::mouseClick(d.item(idc::Thumb), Qt::LeftButton);
    EXPECT_EQ(camera.liveRequests, live + 2);
    EXPECT_EQ(shownRed(), 40);

    // A removal in the browser shows in the strip when it closes.
    menu.queue(CThumbnailDlg::kCommandRemove);
    WithBrowser([](CThumbnailDlg& b) {
        const IntRect c = b.grid().cell(0);
        QTest::mousePress(&b, Qt::RightButton, {}, QPoint(c.left + 5, c.top + 5));
        b.reject();
    });
    QTest::mouseClick(d.item(idc::Thumb), Qt::LeftButton);
    EXPECT_EQ(names(), (std::vector<std::string>{"p1.bmp", "p2.bmp"}));
    EXPECT_EQ(camera.liveRequests, live + 2);
}

} // namespace
