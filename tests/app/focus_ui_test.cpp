// The focusing aids in the main window: the focus line and its profile.
#include "measuring_fixture.h"

#include "view/direction_cursor.h"

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
    EXPECT_EQ(shown(640, bottom), 0xFF8080u);
    EXPECT_NE(shown(640, 0), 0xFF8080u);
    EXPECT_NE(shown(300, bottom), 0xFF8080u);
    color.focuspos = 900;
    EXPECT_EQ(shown(640, 0), 0xFF8080u);
    EXPECT_NE(shown(640, bottom), 0xFF8080u);
}

} // namespace
