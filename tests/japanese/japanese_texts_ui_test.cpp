// The program as it comes up in Japanese: the toolkit's own texts follow the program's
// language, and the unit "mm" is drawn in a face that gives its letters room.
#include "support/measure_dlg_fixture.h"

#include "app/dialog_choosers.h"
#include "app/message_box_prompt.h"
#include "calib/calibration_set.h"
#include "support/results_fit_checks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

namespace K = MeasureKind;

// Runs `show`, which opens a modal window, and hands back the texts of that window's
// buttons; the window is then closed with Escape.
QStringList ButtonTextsOfModal(const std::function<void()>& show) {
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll.stop();
        for (const QAbstractButton* b : modal->findChildren<QAbstractButton*>())
            if (!b->text().isEmpty())
                texts << b->text();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    poll.start(10);
    show();
    return texts;
}

TEST(JapaneseToolkitTexts, MessageBoxButtonsAreJapanese) {
    MessageBoxPrompt prompt;
    const QStringList texts = ButtonTextsOfModal(
        [&] { prompt.ask(nullptr, "確認", "Mirelta", PromptButtons::YesNoCancel, PromptIcon::Question); });
    EXPECT_TRUE(texts.contains(QStringLiteral("はい(&Y)"))) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("いいえ(&N)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("キャンセル")));
}

TEST(JapaneseToolkitTexts, ChoosersAreJapanese) {
    DialogChoosers choosers;
    FileRequest request;
    request.title = "保存先指定";
    request.filters = {{"CSVファイル(*.csv)", "*.csv"}};
    const QStringList save = ButtonTextsOfModal([&] { choosers.saveFile(nullptr, request); });
    EXPECT_TRUE(save.contains(QStringLiteral("保存(&S)"))) << save.join('|').toStdString();
    EXPECT_TRUE(save.contains(QStringLiteral("キャンセル")));
    const QStringList colour = ButtonTextsOfModal([&] { choosers.chooseColour(nullptr, RGB(255, 0, 0)); });
    EXPECT_TRUE(colour.contains(QStringLiteral("カスタムカラーに追加(&A)"))) << colour.join('|').toStdString();
    EXPECT_TRUE(colour.contains(QStringLiteral("キャンセル")));
}

TEST(JapaneseToolkitTexts, EditContextMenuIsJapanese) {
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << a->text().section('\t', 0, 0);
    EXPECT_TRUE(texts.contains(QStringLiteral("コピー(&C)"))) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("貼り付け(&P)")));
}

class JapaneseWindowTest : public MeasureDlgFixture {
protected:
    void SetUp() override {
        MeasureDlgFixture::SetUp();
        g_bJapanese = true;
    }
    // Half-width faces give every Latin letter the same advance: "mm" as narrow as "ii".
    static void ExpectRoomForM(const QWidget* w) {
        const QFontMetrics fm(w->font());
        EXPECT_GT(fm.horizontalAdvance(QStringLiteral("mm")), fm.horizontalAdvance(QStringLiteral("ii")) * 2)
            << w->objectName().toStdString() << " in " << w->font().family().toStdString();
    }
};

TEST_F(JapaneseWindowTest, UnitMmIsReadableInCalibrationAndResults) {
    open();
    QTest::mouseClick(dlg->item(idc::Calib), Qt::LeftButton);
    CCalibrationSet& calib = dlg->calibrationSet();
    ASSERT_TRUE(calib.isOpen());
    EXPECT_EQ(calib.windowTitle(), QStringLiteral("校正値"));
    auto* unit = qobject_cast<QComboBox*>(calib.item(CCalibrationSet::kUnit));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->currentText(), QStringLiteral("mm"));
    EXPECT_EQ(calib.displayText(), QStringLiteral("X = 0.050000, Y = 0.050000 [mm/pix]"));
    ExpectRoomForM(unit);
    ExpectRoomForM(calib.item(CCalibrationSet::kDisplay));

    measure(K::Line, {{0, 0}, {200, 0}});
    EXPECT_EQ(column(1), (std::vector<std::string>{"二点間距離", "角度"}));
    EXPECT_EQ(column(3), (std::vector<std::string>{"mm", "°"}));
    ExpectRoomForM(&dlg->resultList());
    measure(K::Aria, {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}});
    QCoreApplication::processEvents();
    ExpectEveryRowReadable(dlg->resultList(), "in Japanese");
}

} // namespace
