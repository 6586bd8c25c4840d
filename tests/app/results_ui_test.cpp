// The results list, DELETE, CSV export, the data file and choosing a calibration,
// driven through the main window.
#include "support/measure_dlg_fixture.h"
#include "support/results_fit_checks.h"

#include "calib/calib_chain.h"
#include "model/measure_chain.h"
#include "platform/charset.h"

#include <QComboBox>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTest>

namespace fs = std::filesystem;

namespace {

using Cells = std::vector<std::string>;
namespace K = MeasureKind;

class ResultsTest : public MeasureDlgFixture {
protected:
    void press(int id) { QTest::mouseClick(dlg->item(id), Qt::LeftButton); }
    void selectRows(std::initializer_list<int> rows) {
        CResultListView& list = dlg->resultList();
        list.clearSelection();
        for (int r : rows)
            list.selectionModel()->select(list.model()->index(r, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // A LINE 200 pixels long and two circles.
    void lineAndTwoCircles() {
        measure(K::Line, {{100, 100}, {300, 100}});
        measure(K::Circle2, {{10, 0}, {0, 10}, {-10, 0}, {110, 100}, {100, 110}, {90, 100}});
    }
};

TEST_F(ResultsTest, FirstRunListsTwentyCalibrationsAndATwoHundredPixelLineReadsTenMillimetres) {
    CMeasureDlg& d = open();
    auto* combo = d.itemAs<QComboBox>(idc::CalibCombo);
    ASSERT_EQ(combo->count(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(combo->itemText(i).toStdString(), "Data" + std::to_string(i + 1));
        EXPECT_EQ(d.calibrations().At(i)->mpp.x, 0.05);
        EXPECT_EQ(d.calibrations().At(i)->mpp.y, 0.05);
    }
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(d.settings().m_ScaleData.mpp.x, 0.05);
    EXPECT_EQ(d.settings().m_ScaleData.unit, 1);

    measure(K::Line, {{10, 20}, {210, 20}});
    EXPECT_EQ(column(0), (Cells{"0", "1"}));
    EXPECT_EQ(column(1), (Cells{"Length", "Angle"}));
    EXPECT_EQ(column(2), (Cells{"10.000", "0.0"}));
    EXPECT_EQ(column(3), (Cells{"mm", "degree"}));
}

TEST_F(ResultsTest, ColumnsHeadingsAndSelectionStyle) {
    CMeasureDlg& d = open();
    CResultListView& list = d.resultList();
    EXPECT_EQ(d.item(idc::ResultsList), &list);
    ASSERT_EQ(list.columnCount(), 4);
    const char* headings[] = {"No.", "Type", "Result", "Unit"};
    int widths = 0;
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list.horizontalHeaderItem(c)->text().toStdString(), headings[c]);
        widths += list.columnWidth(c);
    }
    // The columns fill the panel.
    EXPECT_EQ(widths, list.viewport()->width());
    EXPECT_TRUE(list.showGrid());
    EXPECT_EQ(list.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list.editTriggers(), QAbstractItemView::NoEditTriggers);
}

// Every kind of result, with long values, at the window's default size: the columns are
// fitted to the panel, and dragging one wider leaves the others readable.
TEST_F(ResultsTest, EveryRowReadableAtTheDefaultSizeAndAfterWideningAColumn) {
    CMeasureDlg& d = open();
    measure(K::Line, {{0, 0}, {2246.9, 0}});
    measure(K::Aria, {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}});
    lineAndTwoCircles();
    measure(K::Angle, {{10, 0}, {0, 0}, {0, -10}});
    for (int i = 0; i < 10; ++i)
        measure(K::Sui, {{0, 0}, {100, 0}, {50, 50}}); // enough rows for the scroll bar
    QCoreApplication::processEvents();
    CResultListView& list = d.resultList();
    ASSERT_EQ(list.rowCount(), 20);
    EXPECT_TRUE(list.verticalScrollBar()->isVisible());
    EXPECT_EQ(column(2)[0], "112.345");
    EXPECT_EQ(column(1)[2], "Polygon area");
    EXPECT_EQ(column(3)[1], "degree");
    EXPECT_EQ(list.item(2, 1)->toolTip(), "Polygon area");
    ExpectEveryRowReadable(list, "default size");

    for (int c = 0; c < 4; ++c) {
        list.horizontalHeader()->resizeSection(c, 400);
        const std::string when = "column " + std::to_string(c) + " dragged wider";
        ExpectEveryRowReadable(list, when.c_str());
    }
    // Narrower than its text: the value stays whole.
    list.horizontalHeader()->resizeSection(2, 10);
    ExpectEveryRowReadable(list, "result dragged narrow");

    // A wider window keeps the panel's width.
    d.resize(d.width() + 300, d.height());
    QCoreApplication::processEvents();
    ExpectEveryRowReadable(list, "wider window");
}

TEST_F(ResultsTest, JapaneseHeadingsAndTexts) {
    g_bJapanese = true;
    CMeasureDlg& d = open();
    const char* headings[] = {"No.", "計測内容", "測定値", "単位"};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(d.resultList().horizontalHeaderItem(c)->text().toStdString(), headings[c]);
    EXPECT_EQ(d.itemAs<QComboBox>(idc::CalibCombo)->itemText(0).toStdString(), "校正値1");
    measure(K::Angle, {{10, 0}, {0, 0}, {0, -10}});
    EXPECT_EQ(column(1), (Cells{"角度"}));
    EXPECT_EQ(column(3), (Cells{"°"}));
}

TEST_F(ResultsTest, SixRowsAndDeletingTheLineByItsAngleRow) {
    CMeasureDlg& d = open();
    lineAndTwoCircles();
    EXPECT_EQ(column(0), (Cells{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(column(1), (Cells{"Length", "Angle", "Circle diameter", "Circle diameter", "Circle distance", "Angle"}));
    EXPECT_EQ(column(2), (Cells{"10.000", "0.0", "1.000", "1.000", "7.071", "315.0"}));

    selectRows({1});
    d.measurements().MoveFirst();
    MEASURE* line = d.measurements().current;
    EXPECT_EQ(line->selected, 1);
    EXPECT_EQ(line->next->selected, 0);

    press(idc::Delete);
    EXPECT_TRUE(prompt.asked().empty());
    EXPECT_EQ(d.measurements().GetCount(), 1);
    EXPECT_EQ(d.measurements().current->kind, -K::Circle2);
    EXPECT_EQ(column(0), (Cells{"0", "1", "2", "3"}));
    EXPECT_EQ(column(1), (Cells{"Circle diameter", "Circle diameter", "Circle distance", "Angle"}));
    EXPECT_TRUE(d.resultList().selectedRowNumbers().empty());
}

TEST_F(ResultsTest, BothRowsOfOneRecordDeleteItOnce) {
    CMeasureDlg& d = open();
    measure(K::Angle, {{10, 0}, {0, 0}, {0, -10}});
    lineAndTwoCircles();
    selectRows({1, 2});
    press(idc::Delete);
    ASSERT_EQ(d.measurements().GetCount(), 2);
    EXPECT_EQ(column(1), (Cells{"Angle", "Circle diameter", "Circle diameter", "Circle distance", "Angle"}));
}

TEST_F(ResultsTest, DeleteWithoutSelectionAsksBeforeClearingEverything) {
    CMeasureDlg& d = open();
    press(idc::Delete); // empty list: nothing, no question
    EXPECT_TRUE(prompt.asked().empty());

    lineAndTwoCircles();
    prompt.queue(PromptAnswer::No);
    press(idc::Delete);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, "Are all items deleted ?");
    EXPECT_EQ(prompt.asked()[0].caption, "confirm");
    EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Question);
    EXPECT_EQ(d.resultList().rowCount(), 6);
    EXPECT_EQ(d.measurements().GetCount(), 2);

    d.workingMeasure().kind = K::Aria; // a polygon being drawn
    d.workingMeasure().pointCount = 2;
    prompt.queue(PromptAnswer::Yes);
    press(idc::Delete);
    EXPECT_EQ(d.resultList().rowCount(), 0);
    EXPECT_EQ(d.measurements().GetCount(), 0);
    EXPECT_EQ(d.workingMeasure().kind, 0);
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
}

TEST_F(ResultsTest, JapaneseDeleteQuestion) {
    g_bJapanese = true;
    open();
    measure(K::Angle, {{10, 0}, {0, 0}, {0, -10}});
    prompt.queue(PromptAnswer::No);
    press(idc::Delete);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, std::string("全てのアイテムを削除しますか？"));
    EXPECT_EQ(prompt.asked()[0].caption, std::string("確認"));
}

TEST_F(ResultsTest, SelectionMarksRecordsUntilItChanges) {
    CMeasureDlg& d = open();
    lineAndTwoCircles();
    d.measurements().MoveFirst();
    MEASURE* line = d.measurements().current;
    MEASURE* circles = line->next;
    selectRows({0, 5});
    EXPECT_EQ(line->selected, 1);
    EXPECT_EQ(circles->selected, 1);
    selectRows({3});
    EXPECT_EQ(line->selected, 0);
    EXPECT_EQ(circles->selected, 1);
    d.resultList().clearSelection();
    EXPECT_EQ(circles->selected, 0);
}

TEST_F(ResultsTest, ChoosingACentimetreCalibrationRewritesEveryRow) {
    CMeasureDlg& d = open();
    lineAndTwoCircles();
    measure(K::Aria, {{10, 10}, {29, 10}, {29, 29}, {10, 29}});
    CALIBRATION& cm = *d.calibrations().At(2);
    cm.unit = 0;
    cm.mpp = {0.005, 0.005};
    d.itemAs<QComboBox>(idc::CalibCombo)->setCurrentIndex(2);
    EXPECT_EQ(d.settings().m_ScaleData.unit, 0);
    EXPECT_EQ(d.settings().m_ScaleData.mpp.x, 0.005);
    EXPECT_EQ(column(0), (Cells{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(column(2), (Cells{"1.00", "0.0", "0.10", "0.10", "0.71", "315.0", "0.01"}));
    EXPECT_EQ(column(3), (Cells{"cm", "degree", "cm", "cm", "cm", "degree", "cm2"}));
    d.itemAs<QComboBox>(idc::CalibCombo)->setCurrentIndex(0);
    EXPECT_EQ(column(2), (Cells{"10.000", "0.0", "1.000", "1.000", "7.071", "315.0", "1.000"}));
    EXPECT_EQ(column(3)[6], "mm2");
}

TEST_F(ResultsTest, CsvAsksWhereAndAppendsWithAHeaderEachTime) {
    CMeasureDlg& d = open();
    measure(K::Line, {{0, 0}, {0, 100}});
    const std::string out = dir + "/export/out.csv";
    fs::create_directories(dir + "/export");
    choosers.queue(out, 1);
    press(idc::Csv);
    ASSERT_EQ(choosers.asked().size(), 1u);
    const FileRequest& r = choosers.asked()[0].request;
    EXPECT_EQ(choosers.asked()[0].kind, ScriptedChoosers::Kind::Save);
    EXPECT_EQ(r.title, "Save as");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "CSV File(*.csv)");
    EXPECT_EQ(r.filters[0].pattern, "*.csv");
    EXPECT_EQ(r.filters[1].description, "Data File(*.mes)");
    EXPECT_EQ(r.filters[1].pattern, "*.mes");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.defaultExtension, "csv");
    EXPECT_TRUE(r.confirmOverwrite);
    const QString folder = QString::fromStdString(dir + "/data/result/");
    EXPECT_TRUE(QString::fromStdString(r.fileName).startsWith(folder)) << r.fileName;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{14}\\.csv$"))
                    .match(QString::fromStdString(r.fileName).mid(folder.size()))
                    .hasMatch())
        << r.fileName;
    EXPECT_EQ(d.settings().savedir2, dir + "/export");
    EXPECT_TRUE(prompt.asked().empty());

    measure(K::Angle, {{10, 0}, {0, 0}, {-10, 0}});
    choosers.queue(out, 1);
    press(idc::Csv);
    EXPECT_TRUE(QString::fromStdString(choosers.asked()[1].request.fileName).startsWith(QString::fromStdString(dir + "/export/")));
    EXPECT_EQ(readFile(out), "No.,Type,Result,Unit\r\n"
                             "0,Length,5.000,mm\r\n"
                             "1,Angle,270.0,degree\r\n"
                             "No.,Type,Result,Unit\r\n"
                             "0,Length,5.000,mm\r\n"
                             "1,Angle,270.0,degree\r\n"
                             "2,Angle,180.0,degree\r\n");
}

TEST_F(ResultsTest, JapaneseCsvDialogAndHeader) {
    g_bJapanese = true;
    open();
    choosers.queue(dir + "/j.csv", 1);
    press(idc::Csv);
    const FileRequest& r = choosers.asked()[0].request;
    EXPECT_EQ(r.title, std::string("保存先指定"));
    EXPECT_EQ(r.filters[0].description, std::string("CSVファイル(*.csv)"));
    EXPECT_EQ(r.filters[1].description, std::string("データファイル(*.mes)"));
    // In the character set of the locale the program runs in (converted
    // to EUC-JP and others in the logic tests).
    EXPECT_EQ(readFile(dir + "/j.csv"), Utf8ToLocale("No.,計測内容,測定値,単位\r\n"));
}

TEST_F(ResultsTest, TheDataFileFilterWritesAMesFileOfTheSameName) {
    CMeasureDlg& d = open();
    lineAndTwoCircles();
    choosers.queue(dir + "/results.csv", 2);
    press(idc::Csv);
    EXPECT_FALSE(fs::exists(dir + "/results.csv"));
    ASSERT_TRUE(fs::exists(dir + "/results.mes"));
    EXPECT_EQ(fs::file_size(dir + "/results.mes"), 12u + 140u + 32u + 140u + 96u);
    EXPECT_EQ(d.settings().savedir2, dir);
    EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(ResultsTest, FilesThatCannotBeWrittenAreReportedAndNothingIsWritten) {
    CMeasureDlg& d = open();
    measure(K::Line, {{0, 0}, {10, 0}});
    const std::string missing = dir + "/no/such/folder/out.csv";
    choosers.queue(missing, 1);
    press(idc::Csv);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(QString::fromStdString(prompt.asked()[0].text).contains(QString::fromStdString(missing)));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(d.settings().savedir2, dir + "/no/such/folder");

    // The data file too; an earlier file of that name stays as it was.
    fs::create_directory(dir + "/keep.mes");
    choosers.queue(dir + "/keep.csv", 2);
    press(idc::Csv);
    ASSERT_EQ(prompt.asked().size(), 2u);
    EXPECT_TRUE(QString::fromStdString(prompt.asked()[1].text).contains(QString::fromStdString(dir + "/keep.mes")));
    EXPECT_TRUE(fs::is_directory(dir + "/keep.mes"));
}

TEST_F(ResultsTest, AnEmptyListMakesAHeaderOnlyCsvAndNoDataFile) {
    open();
    choosers.queue(dir + "/empty.csv", 1);
    press(idc::Csv);
    EXPECT_EQ(readFile(dir + "/empty.csv"), "No.,Type,Result,Unit\r\n");
    choosers.queue(dir + "/empty.csv", 2);
    press(idc::Csv);
    EXPECT_FALSE(fs::exists(dir + "/empty.mes"));
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, "There are no measurements to save.");
}

TEST_F(ResultsTest, CancelledChoosersChangeNothing) {
    CMeasureDlg& d = open();
    measure(K::Line, {{0, 0}, {10, 0}});
    const std::string before = d.settings().savedir2;
    choosers.queueCancel();
    press(idc::Csv);
    press(idc::LoadResults); // empty queue: cancelled too
    EXPECT_EQ(choosers.asked().size(), 2u);
    EXPECT_EQ(d.settings().savedir2, before);
    EXPECT_EQ(d.resultList().rowCount(), 2);
    EXPECT_EQ(d.measurements().GetCount(), 1);
}

TEST_F(ResultsTest, LoadingADataFileBringsTheMeasurementsBackWithTheirStoredValues) {
    CMeasureDlg& d = open();
    lineAndTwoCircles();
    measure(K::Sui, {{0, 0}, {100, 0}, {50, 40}});
    const std::string mes = dir + "/saved/r.mes";
    fs::create_directories(dir + "/saved");
    choosers.queue(mes, 2);
    press(idc::Csv);
    const Cells values = column(2);

    prompt.queue(PromptAnswer::Yes);
    press(idc::Delete);
    ASSERT_EQ(d.resultList().rowCount(), 0);
    // Another calibration in cm: the loaded values are shown as stored, not recomputed.
    CALIBRATION& cm = *d.calibrations().At(1);
    cm.unit = 0;
    cm.mpp = {1.0, 1.0};
    d.itemAs<QComboBox>(idc::CalibCombo)->setCurrentIndex(1);

    choosers.queue(mes, 1);
    press(idc::LoadResults);
    const ScriptedChoosers::Asked& asked = choosers.asked().back();
    EXPECT_EQ(asked.kind, ScriptedChoosers::Kind::Open);
    EXPECT_EQ(asked.request.title, "Open file");
    ASSERT_EQ(asked.request.filters.size(), 1u);
    EXPECT_EQ(asked.request.filters[0].description, "Data File(*.mes)");
    EXPECT_EQ(asked.request.filters[0].pattern, "*.mes");
    EXPECT_EQ(asked.request.fileName, dir + "/saved/MES File");

    EXPECT_EQ(d.measurements().GetCount(), 3);
    EXPECT_EQ(column(0), (Cells{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(column(2), (Cells{"10.00", "0.0", "1.00", "1.00", "7.07", "315.0", "2.00"}));
    EXPECT_EQ(column(3)[0], "cm");
    EXPECT_EQ(values[0], "10.000");
    EXPECT_EQ(d.settings().savedir2, dir + "/saved");
    // Every row points at a record of the list, and the records are numbered.
    d.measurements().MoveFirst();
    int index = 0;
    for (MEASURE* m = d.measurements().current; m; m = m->next)
        EXPECT_EQ(m->index, index++);
    for (const ResultListRow& r : d.resultList().rows().rows())
        EXPECT_NE(r.record, nullptr);
}

TEST_F(ResultsTest, AFileOfAnotherVersionOrCutShortLeavesTheListAsItWas) {
    CMeasureDlg& d = open();
    lineAndTwoCircles();
    const std::string good = dir + "/good.mes";
    ASSERT_EQ(d.measurements().Write(good), 1);
    std::string bytes = readFile(good);
    const Cells before = column(2);
    d.measurements().MoveFirst();
    const MEASURE* first = d.measurements().current;

    std::string newer = bytes;
    newer[7] = '1'; // "1001"
    const std::string cut = bytes.substr(0, bytes.size() - 1);
    for (const std::string& content : {newer, cut}) {
        std::ofstream(dir + "/bad.mes", std::ios::binary | std::ios::trunc) << content;
        choosers.queue(dir + "/bad.mes", 1);
        press(idc::LoadResults);
        EXPECT_EQ(column(2), before);
        EXPECT_EQ(d.measurements().GetCount(), 2);
        d.measurements().MoveFirst();
        EXPECT_EQ(d.measurements().current, first);
    }
    EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(ResultsTest, TheSavedFolderIsKeptInTheSettings) {
    open();
    measure(K::Line, {{0, 0}, {10, 0}});
    fs::create_directories(dir + "/csv here");
    choosers.queue(dir + "/csv here/a.csv", 1);
    press(idc::Csv);
    quit();
    EXPECT_NE(readFile(dir + "/Mirelta.ini").find("savedir2=" + dir + "/csv here\n"), std::string::npos);
}

} // namespace
