// The focusing aids in the main window: the focus line and its profile.
#include "measuring_fixture.h"

#include "platform/profile.h"
#include "view/direction_cursor.h"
#include "view/focus_area.h"
#include "view/focus_dlg.h"
#include "view/image_button.h"

#include <algorithm>

namespace {

class FocusTest : public MeasuringFixture {};

// Right button within 10 image rows of the line holds it; it follows the mouse's row
// and is let go on the release. Farther away, or with the line off, nothing is held.
TEST_F(FocusTest, FocusLineIsMovedWithTheRightButtonWithinTenRows) {
    CMeasureDlg& d = openAtX1();
    ColorSettings& color = d.settings().color;
    color.focuspos = 240;
    rightDrag({500, 245}, {{500, 600}});
    EXPECT_EQ(color.focuspos, 240); // off: nothing to grab
    color.focusflg = 1;
    rightDrag({500, 251}, {{500, 600}});
    EXPECT_EQ(color.focuspos, 240); // 11 rows away
    press({500, 249}, Qt::RightButton);
    EXPECT_EQ(color.focusflg, 2);
    EXPECT_EQ(d.cursorType(), CursorCode::SizeVertical);
    move({520, 700}, Qt::RightButton);
    EXPECT_EQ(color.focuspos, 700);
    release({520, 700}, Qt::RightButton);
    EXPECT_EQ(color.focusflg, 1);
    EXPECT_EQ(d.cursorType(), CursorCode::Default);
}

// A sharp vertical edge under the line gives bars at its columns: rising from the
// picture's bottom while the line is in the upper half, hanging from its top in the
// lower half. A uniform picture shows no bar.
TEST_F(FocusTest, ProfileBarsRiseOrHangByTheLinesHalf) {
    CMeasureDlg& d = openAtX1();
    ColorSettings& color = d.settings().color;
    color.focusflg = 1;
    color.wave = RGB(255, 128, 128);
    const QPoint origin = d.pictureRect().topLeft();
    const auto shown = [&](int x, int areaY) {
        paint();
        return d.composedPicture().pixel(at({static_cast<double>(x), 0}).x() - origin.x(), areaY) & 0xFFFFFFu;
    };
    const int bottom = d.pictureRect().height() - 1;
    color.focuspos = 200;
    EXPECT_NE(shown(640, bottom), 0xFF8080u);
    // Black on the right half: the edge at column 640.
    d.displayImage().fillRect(IntRect{640, 0, 1280, 1024}, RGB(0, 0, 0));
    emit d.displayImageReplaced(); // the profile is made once per picture, not per paint
    EXPECT_EQ(shown(640, bottom), 0xFF8080u);
    EXPECT_NE(shown(640, 0), 0xFF8080u);
    EXPECT_NE(shown(300, bottom), 0xFF8080u);
    color.focuspos = 900;
    EXPECT_EQ(shown(640, 0), 0xFF8080u);
    EXPECT_NE(shown(640, bottom), 0xFF8080u);
}

} // namespace

namespace {

class FocusAreaTest : public MeasuringFixture {
protected:
    std::vector<CFocusDlg*> windows() {
        std::vector<CFocusDlg*> out;
        for (CFocusDlg* w : dlg->findChildren<CFocusDlg*>())
            if (w->isVisible())
                out.push_back(w);
        std::sort(out.begin(), out.end(), [](CFocusDlg* a, CFocusDlg* b) { return a->index() < b->index(); });
        return out;
    }
    // Button 1122, then a rubber band from `a` to `b` with the left button.
    void drawArea(const DPOINT& a, const DPOINT& b) {
        arm(idc::FocusArea);
        clock.advance(1000);
        press(a);
        move(b, Qt::LeftButton);
        release(b);
        QCoreApplication::processEvents();
    }
};

// An area drawn with the mouse over a sharp edge gets a focus window whose value is the
// mean Sobel magnitude there; its caption counts the records, and closing one keeps
// the others while the next caption counts the empty slot. The shared scale row is in
// the settings file after the program ends.
TEST_F(FocusAreaTest, AreasMadeWithTheMouseMeasureAndShareTheirScale) {
    CMeasureDlg& d = openAtX1();
    d.displayImage().fillRect(IntRect{640, 0, 1280, 1024}, RGB(0, 0, 0));
    auto* lamp = qobject_cast<ImageButton*>(d.item(idc::FocusArea));
    EXPECT_FALSE(lamp->greenLamp());
    arm(idc::Line);
    drawArea({600, 400}, {680, 480});
    EXPECT_EQ(d.workingMeasure().kind, 0); // the button disarmed the tool
    EXPECT_FALSE(lamp->greenLamp());
    ASSERT_EQ(windows().size(), 1u);
    CFocusDlg* first = windows()[0];
    EXPECT_EQ(first->windowTitle().toStdString(), "1");
    EXPECT_EQ(first->size(), QSize(55, 240));
    CDibImage scratch;
    EXPECT_EQ(first->value(), FocusAreaValueOfColour(d.displayImage(), IntRect{600, 400, 680, 480}, scratch));
    EXPECT_GT(first->value(), 100);
    EXPECT_EQ(d.measurements().GetCount(), 0);

    drawArea({100, 100}, {200, 200}); // uniform: value 0
    ASSERT_EQ(windows().size(), 2u);
    EXPECT_EQ(windows()[1]->value(), 0);
    // Scale row "3" in the first window: shared, and in the settings.
    auto* scale = qobject_cast<QComboBox*>(first->item(1234));
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->count(), 10);
    scale->setCurrentIndex(2);
    emit scale->activated(2);
    EXPECT_EQ(d.settings().FocusSelect, 2);
    first->close();
    paint();
    QCoreApplication::processEvents();
    ASSERT_EQ(windows().size(), 1u);
    EXPECT_EQ(windows()[0]->windowTitle().toStdString(), "2");
    drawArea({300, 300}, {400, 400});
    ASSERT_EQ(windows().size(), 2u);
    EXPECT_EQ(windows()[1]->windowTitle().toStdString(), "3");
    quit();
    Profile ini(dir + "/Mirelta.ini");
    EXPECT_EQ(ini.GetInt("Mirelta", "FocusSelect", -1), 2);
}

} // namespace

namespace {

// A grip of an area caught with the right button resizes it (the cursor shows the
// grip's direction), the value follows on the release; Enter leaves its window open.
TEST_F(FocusAreaTest, GripsResizeAnAreaAndEnterKeepsItsWindow) {
    CMeasureDlg& d = openAtX1();
    d.displayImage().fillRect(IntRect{640, 0, 1280, 1024}, RGB(0, 0, 0));
    drawArea({400, 400}, {500, 500}); // uniform grey: 0
    ASSERT_EQ(windows().size(), 1u);
    CFocusDlg* w = windows()[0];
    EXPECT_EQ(w->value(), 0);
    move({505, 495});
    EXPECT_EQ(d.cursorType(), CursorCode::SizeNwSe);
    press({505, 495}, Qt::RightButton);
    move({700, 495}, Qt::RightButton);
    release({700, 495}, Qt::RightButton);
    EXPECT_EQ(d.cursorType(), CursorCode::Default);
    CDibImage scratch;
    EXPECT_EQ(w->value(), FocusAreaValueOfColour(d.displayImage(), IntRect{400, 400, 700, 495}, scratch));
    EXPECT_GT(w->value(), 0);
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}

} // namespace
