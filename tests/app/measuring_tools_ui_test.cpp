// The measuring tools in the main window, driven with the mouse at positions computed
// from image pixels, read back from the results list.
#include "measuring_fixture.h"

#include "view/image_button.h"
#include "model/geometry.h"
#include "platform/clock.h"
#include "view/direction_cursor.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace {

class MeasuringToolsTest : public MeasuringFixture {};

TEST_F(MeasuringToolsTest, ToolButtonsArmAndDisarm) {
    CMeasureDlg& d = openAtX1();
    auto lamp = [&](int id) { return static_cast<ImageButton*>(d.item(id))->greenLamp(); };
    arm(idc::Line);
    EXPECT_EQ(d.workingMeasure().kind, MeasureKind::Line);
    EXPECT_EQ(d.workingMeasure().points.size(), 10);
    EXPECT_TRUE(lamp(idc::Line));
    click({100, 100});
    arm(idc::Circle2); // another tool: armed afresh
    EXPECT_EQ(d.workingMeasure().kind, MeasureKind::Circle2);
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
    EXPECT_FALSE(lamp(idc::Line));
    EXPECT_TRUE(lamp(idc::Circle2));
    arm(idc::Circle2); // the armed one: disarmed
    EXPECT_EQ(d.workingMeasure().kind, 0);
    EXPECT_FALSE(lamp(idc::Circle2));
    // Without a tool a click pans and places nothing.
    click({100, 100});
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
    EXPECT_EQ(d.measurements().GetCount(), 0);
    // Deleting every result disarms the tool.
    arm(idc::Angle);
    click({10, 10});
    measure(MeasureKind::Line, {{1, 1}, {2, 2}}); // something to delete
    prompt.queue(PromptAnswer::Yes);
    d.OnDelete();
    EXPECT_EQ(d.workingMeasure().kind, 0);
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
}

TEST_F(MeasuringToolsTest, EveryToolFilesItsMeasurementAndStaysArmed) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Line);
    click({100, 100});
    EXPECT_EQ(d.resultList().rowCount(), 0);
    click({400, 500}); // 300 x 400: 500 pixels
    arm(idc::Circle);
    for (DPOINT p : {DPOINT{600, 200}, DPOINT{700, 300}, DPOINT{600, 400}})
        click(p);
    arm(idc::Circle2);
    for (DPOINT p : {DPOINT{100, 600}, DPOINT{150, 650}, DPOINT{100, 700}, DPOINT{400, 600}, DPOINT{450, 650},
                     DPOINT{400, 700}})
        click(p);
    arm(idc::Angle);
    for (DPOINT p : {DPOINT{900, 100}, DPOINT{800, 100}, DPOINT{800, 200}})
        click(p);
    EXPECT_EQ(column(1), (std::vector<std::string>{"Length", "Angle", "Circle diameter", "Circle diameter",
                                                   "Circle diameter", "Circle distance", "Angle", "Angle"}));
    EXPECT_EQ(column(2), (std::vector<std::string>{"5.000", "306.9", "2.000", "1.000", "1.000", "3.000", "0.0",
                                                   "90.0"}));
    EXPECT_EQ(column(3)[0], "mm");
    EXPECT_EQ(d.measurements().GetCount(), 4);
    EXPECT_EQ(d.workingMeasure().kind, MeasureKind::Angle);
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
    // Clicks outside the picture place nothing.
    clickWindow(QPoint(d.width() - 5, d.height() - 5));
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
}

TEST_F(MeasuringToolsTest, DoubleClickPlacesOnePointAndOnlyAMovedClickCompletesTheLine) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Line);
    doubleClickWindow(at({200, 200}));
    EXPECT_EQ(d.workingMeasure().pointCount, 1);
    EXPECT_EQ(d.measurements().GetCount(), 0);
    // Another click on the same window position within the double-click time: ignored.
    const auto interval = static_cast<std::uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    clock.advance(interval);
    press({200, 200});
    release({200, 200});
    EXPECT_EQ(d.workingMeasure().pointCount, 1);
    // One pixel away it completes the line.
    clock.advance(10);
    press({201, 200});
    release({201, 200});
    EXPECT_EQ(d.measurements().GetCount(), 1);
    EXPECT_EQ(column(2)[0], "0.010");
    // The same position after the double-click time counts as a click.
    clock.advance(interval + 1);
    press({201, 200});
    release({201, 200});
    EXPECT_EQ(d.workingMeasure().pointCount, 1);
    // A double-click whose second click slipped a pixel still places one point.
    arm(idc::Angle);
    clock.advance(1000);
    press({300, 300});
    release({300, 300});
    clock.advance(100);
    QTest::mouseDClick(dlg.get(), Qt::LeftButton, {}, at({301, 300}));
    release({301, 300});
    EXPECT_EQ(d.workingMeasure().pointCount, 1);
}

TEST_F(MeasuringToolsTest, AriaClosesOnADoubleClick) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Aria);
    for (DPOINT p : {DPOINT{100, 100}, DPOINT{300, 100}, DPOINT{300, 300}, DPOINT{100, 300}})
        click(p);
    doubleClickWindow(at({50, 200}));
    ASSERT_EQ(d.measurements().GetCount(), 1);
    MEASURE* aria = record(0);
    EXPECT_EQ(aria->kind, -MeasureKind::Aria);
    EXPECT_EQ(aria->pointCount, 5);
    EXPECT_EQ(aria->points[4], (DPOINT{50, 200}));
    EXPECT_EQ(d.workingMeasure().kind, MeasureKind::Aria);
    EXPECT_EQ(d.workingMeasure().pointCount, 0); // the double-click's release added nothing
    EXPECT_EQ(column(1), (std::vector<std::string>{"Polygon area"}));
    // 201 x 201 pixels of the square plus the triangle beside it, at 0.0001 mm2 each
    // (the square alone would be 4.04).
    const double area = std::stod(column(2)[0]);
    EXPECT_NEAR(area, (201 * 201 + 200 * 50 / 2) * 0.0001, 0.05);

    // Closed outside the picture: over the vertices placed so far.
    click({500, 500});
    click({600, 500});
    click({600, 600});
    doubleClickWindow(QPoint(d.width() - 5, d.height() - 5));
    ASSERT_EQ(d.measurements().GetCount(), 2);
    EXPECT_EQ(record(1)->pointCount, 3);
    // With no vertex at all: an empty record of area 0.
    doubleClickWindow(QPoint(d.width() - 5, d.height() - 5));
    ASSERT_EQ(d.measurements().GetCount(), 3);
    EXPECT_EQ(record(2)->pointCount, 0);
    EXPECT_EQ(column(2)[2], "0.000");
    // Other tools ignore the double-click.
    arm(idc::Circle);
    doubleClickWindow(at({700, 700}));
    EXPECT_EQ(d.workingMeasure().pointCount, 1);
    EXPECT_EQ(d.measurements().GetCount(), 3);
}

TEST_F(MeasuringToolsTest, SuiSeriesFromOneBaseLineUntilARightClick) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Sui);
    const DPOINT a{100, 400}, b{700, 400}, c{250, 300}, dd{500, 520};
    click(a);
    click(b);
    click(c);
    ASSERT_EQ(d.measurements().GetCount(), 1);
    MEASURE* first = record(0);
    EXPECT_EQ(first->kind, -MeasureKind::Sui);
    EXPECT_EQ(first->points[0], a);
    EXPECT_EQ(first->points[1], b);
    EXPECT_EQ(first->points[2], c);
    EXPECT_EQ(first->points[3], (DPOINT{250, 400}));
    click(dd);
    ASSERT_EQ(d.measurements().GetCount(), 2);
    MEASURE* second = record(1);
    EXPECT_EQ(second->points[0], a);
    EXPECT_EQ(second->points[1], b);
    EXPECT_EQ(second->points[2], dd);
    EXPECT_EQ(second->points[3], (DPOINT{500, 400}));
    EXPECT_EQ(column(2), (std::vector<std::string>{"1.000", "1.200"}));
    // A right click ends the series; the next clicks start a new base line.
    press({900, 900}, Qt::RightButton);
    release({900, 900}, Qt::RightButton);
    EXPECT_EQ(d.workingMeasure().kind, MeasureKind::Sui);
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
    click({100, 100});
    EXPECT_EQ(d.measurements().GetCount(), 2);
    click({100, 200});
    click({130, 150});
    ASSERT_EQ(d.measurements().GetCount(), 3);
    EXPECT_EQ(record(2)->points[0], (DPOINT{100, 100}));
    EXPECT_EQ(column(2)[2], "0.300");
}

TEST_F(MeasuringToolsTest, ShiftTurnsTheSecondPointToTheAngleStep) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Line);
    const DPOINT p0{300, 500};
    struct Case {
        int step;
        double dx, dy; // screen offsets (up is negative)
        const char* angle;
    } cases[] = {
        {45, 100, -41, "0.0"},  // 22.3 degrees
        {45, 100, -43, "45.0"}, // 23.3
        {45, 100, -241, "45.0"}, // 67.5
        {45, 100, -248, "90.0"}, // 68.0
        {10, 100, -27, "10.0"}, // 15.1: the tie goes down
    };
    int row = 1;
    for (const Case& c : cases) {
        d.settings().color.angle = c.step;
        const DPOINT end{p0.x + c.dx, p0.y + c.dy};
        click(p0, Qt::ShiftModifier);
        click(end, Qt::ShiftModifier);
        EXPECT_EQ(column(2)[static_cast<std::size_t>(row)], c.angle) << c.dy;
        const MEASURE* m = d.measurements().current;
        EXPECT_NEAR(std::hypot(m->points[1].x - p0.x, m->points[1].y - p0.y), std::hypot(c.dx, c.dy), 1e-9);
        row += 2;
    }
    // A 0-degree end has exactly the start's y.
    EXPECT_EQ(record(0)->points[1].y, p0.y);
    // An odd step from the settings file counts as 45.
    d.settings().color.angle = 0;
    click(p0, Qt::ShiftModifier);
    click({p0.x + 100, p0.y - 43}, Qt::ShiftModifier);
    EXPECT_EQ(column(2).back(), "45.0");

    // SUI: a base point drawn toward 225 degrees lands toward 45 at the same distance.
    d.settings().color.angle = 45;
    arm(idc::Sui);
    click(p0, Qt::ShiftModifier);
    click({p0.x - 70, p0.y + 72}, Qt::ShiftModifier); // 225.8 degrees
    const DPOINT b = d.workingMeasure().points[1];
    EXPECT_NEAR(DirectionAngle(b, p0, 0), 45.0, 1e-5);
    EXPECT_NEAR(std::hypot(b.x - p0.x, b.y - p0.y), std::hypot(70, 72), 1e-9);
    // Perpendiculars from it are the same as from the base line as drawn.
    click({p0.x - 100, p0.y}, Qt::ShiftModifier);
    EXPECT_NEAR(d.measurements().current->value[0], 100 / std::sqrt(2.0) * 0.01, 1e-6);
}

TEST_F(MeasuringToolsTest, WheelAtEitherEndChangesNothing) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Line);
    click({200, 200});
    auto wheel = [&](QPoint pos, int delta) {
        QWheelEvent e(QPointF(pos), d.mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&d, &e);
    };
    auto* combo = d.itemAs<QComboBox>(idc::ScreenScale);
    combo->setCurrentIndex(21);
    emit combo->activated(21);
    const QPoint inside = d.pictureRect().center();
    const double x = d.view().m_Bai_X;
    wheel(inside, 120);
    EXPECT_EQ(d.magnification(), 21);
    EXPECT_EQ(combo->currentIndex(), 21);
    EXPECT_EQ(d.view().m_Bai_X, x);
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    wheel(d.pictureRect().center(), -120);
    EXPECT_EQ(d.magnification(), 0);
    EXPECT_EQ(combo->currentIndex(), 0);
    // The point being drawn stays where it was placed.
    EXPECT_EQ(d.workingMeasure().pointCount, 1);
    EXPECT_EQ(d.workingMeasure().points[0], (DPOINT{200, 200}));
}

TEST_F(MeasuringToolsTest, CursorAndCrosshairWhileMeasuring) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Circle);
    move({300, 300});
    EXPECT_TRUE(d.crossCursor());
    EXPECT_TRUE(d.cursorHidden()); // ShowCenter 0: the crosshair alone
    EXPECT_EQ(d.cursor().shape(), Qt::BlankCursor);
    const QPoint outside(d.width() - 5, d.height() - 5);
    QMouseEvent e(QEvent::MouseMove, QPointF(outside), d.mapToGlobal(QPointF(outside)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&d, &e);
    EXPECT_FALSE(d.crossCursor());
    EXPECT_FALSE(d.cursorHidden());
    d.settings().color.CursorCrosshairs.ShowCenter = 1;
    move({300, 300});
    EXPECT_FALSE(d.cursorHidden());
    EXPECT_EQ(d.cursorType(), CursorCode::ThinCross);
    EXPECT_TRUE(d.crossCursor());
    // A snapped point shows the ring.
    d.pictureHooks().snapToEdge = [](const DPOINT& p) { return DPOINT{p.x + 1, p.y}; };
    move({310, 300});
    EXPECT_EQ(d.cursorType(), CursorCode::Ring);
    click({310, 300});
    EXPECT_EQ(d.workingMeasure().points[0], (DPOINT{311, 300}));
}

} // namespace
