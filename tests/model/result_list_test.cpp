#include "model/result_list.h"

#include "model/measure.h"
#include "model/measure_chain.h"
#include "platform/language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A complete record with fixed values, appended to the chain; returns its node.
MEASURE* Add(CMeasureChain& chain, std::int32_t tool, std::vector<double> values, std::int32_t points = 3) {
    MEASURE m;
    m.kind = -tool;
    m.pointCount = points;
    m.points.Grow(points, 0);
    for (std::size_t i = 0; i < values.size(); ++i)
        m.value[i] = values[i];
    chain.AddNode(&m);
    return chain.current;
}

std::vector<std::string> Column(const CResultList& list, int column) {
    std::vector<std::string> cells;
    for (const ResultListRow& r : list.rows()) {
        const std::string* c[] = {&r.number, &r.kind, &r.value, &r.unit};
        cells.push_back(*c[column]);
    }
    return cells;
}

using Cells = std::vector<std::string>;

class ResultListTest : public testing::Test {
protected:
    void SetUp() override { g_bJapanese = false; }
    void TearDown() override { g_bJapanese = false; }
    CMeasureChain chain;
    CResultList list;
};

TEST_F(ResultListTest, LineAndTwoCirclesGiveSixRowsPointingAtTheirRecords) {
    MEASURE* line = Add(chain, MeasureKind::Line, {10.0, 45.0000001}, 2);
    list.AddRowsFor(*line, 1);
    MEASURE* circles = Add(chain, MeasureKind::Circle2, {1.5, 2.25, 7.125, 180.0}, 6);
    list.AddRowsFor(*circles, 1);

    EXPECT_EQ(Column(list, 0), (Cells{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(Column(list, 1), (Cells{"Length", "Angle", "Circle diameter", "Circle diameter",
                                      "Circle distance", "Angle"}));
    EXPECT_EQ(Column(list, 2), (Cells{"10.000", "45.0", "1.500", "2.250", "7.125", "180.0"}));
    EXPECT_EQ(Column(list, 3), (Cells{"mm", "degree", "mm", "mm", "mm", "degree"}));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(list.row(i)->record, i < 2 ? line : circles) << i;
}

TEST_F(ResultListTest, DeletingByTheAngleRowRemovesTheWholeRecordAndRenumbers) {
    MEASURE* line = Add(chain, MeasureKind::Line, {10.0, 90.0}, 2);
    MEASURE* circles = Add(chain, MeasureKind::Circle2, {1.0, 2.0, 3.0, 0.0}, 6);
    list.Rebuild(chain, 1);
    ASSERT_EQ(list.count(), 6);

    EXPECT_EQ(list.RecordsOfRows({1}), std::vector<MEASURE*>{line});
    EXPECT_EQ(RemoveRecords(chain, list.RecordsOfRows({1})), 1);
    chain.Renumber();
    list.Rebuild(chain, 1);
    EXPECT_EQ(chain.GetCount(), 1);
    EXPECT_EQ(Column(list, 0), (Cells{"0", "1", "2", "3"}));
    for (const ResultListRow& r : list.rows())
        EXPECT_EQ(r.record, circles);
}

TEST_F(ResultListTest, BothRowsOfOneRecordRemoveItOnceAndNothingElse) {
    Add(chain, MeasureKind::Angle, {30.0});
    MEASURE* line = Add(chain, MeasureKind::Line, {1.0, 0.0}, 2);
    Add(chain, MeasureKind::Sui, {2.0});
    list.Rebuild(chain, 1);
    // Rows: 0 angle, 1-2 line, 3 perpendicular; out-of-range rows are ignored.
    const std::vector<MEASURE*> records = list.RecordsOfRows({1, 2, 2, 17, -1});
    EXPECT_EQ(records, std::vector<MEASURE*>{line});
    EXPECT_EQ(RemoveRecords(chain, records), 1);
    ASSERT_EQ(chain.GetCount(), 2);
    chain.MoveTo(0);
    EXPECT_EQ(chain.current->kind, -MeasureKind::Angle);
    chain.MoveTo(1);
    EXPECT_EQ(chain.current->kind, -MeasureKind::Sui);
}

TEST_F(ResultListTest, RemovalGoesByNodeNotById) {
    MEASURE* first = Add(chain, MeasureKind::Angle, {10.0});
    MEASURE* second = Add(chain, MeasureKind::Angle, {20.0});
    second->id = first->id; // random ids may meet
    MEASURE stranger;
    EXPECT_EQ(RemoveRecords(chain, {second, &stranger, nullptr}), 1);
    ASSERT_EQ(chain.GetCount(), 1);
    EXPECT_EQ(chain.current, first);
}

TEST_F(ResultListTest, CellsFollowTheSelectedUnitNotTheRecords) {
    struct Case {
        int unit;
        const char* length;
        const char* lengthUnit;
        const char* area;
        const char* areaUnit;
    };
    const Case cases[] = {
        {0, "12.35", "cm", "3.00", "cm2"},
        {1, "12.346", "mm", "3.000", "mm2"},
        {2, "12.35", "um", "3.00", "um2"},
        {3, "", "", "", ""},
        {-1, "", "", "", ""},
    };
    MEASURE* line = Add(chain, MeasureKind::Line, {12.3456, 271.25}, 2);
    line->unit = 1;
    MEASURE* area = Add(chain, MeasureKind::Aria, {3.0, 3.0}, 5);
    for (const Case& c : cases) {
        list.Rebuild(chain, c.unit);
        ASSERT_EQ(list.count(), 3);
        EXPECT_EQ(Column(list, 2), (Cells{c.length, "271.2", c.area})) << c.unit;
        EXPECT_EQ(Column(list, 3), (Cells{c.lengthUnit, "degree", c.areaUnit})) << c.unit;
        EXPECT_EQ(list.row(2)->kind, "Polygon area");
        EXPECT_EQ(list.row(2)->record, area);
    }
}

TEST_F(ResultListTest, RewritingKeepsRowsAndTheirOrder) {
    MEASURE* line = Add(chain, MeasureKind::Line, {10.0, 90.0000001}, 2);
    Add(chain, MeasureKind::Angle, {33.33});
    list.Rebuild(chain, 1);
    line->value[0] = 1.0;
    list.RewriteAll(0);
    EXPECT_EQ(Column(list, 0), (Cells{"0", "1", "2"}));
    EXPECT_EQ(Column(list, 2), (Cells{"1.00", "90.0", "33.3"}));
    EXPECT_EQ(Column(list, 3), (Cells{"cm", "degree", "degree"}));
    line->value[0] = 2.5;
    list.RewriteRowsOf(line, 2);
    EXPECT_EQ(Column(list, 2), (Cells{"2.50", "90.0", "33.3"}));
    EXPECT_EQ(list.row(0)->unit, "um");
}

TEST_F(ResultListTest, SelectionMarksEveryRecordWithASelectedRow) {
    MEASURE* a = Add(chain, MeasureKind::Line, {1.0, 0.0}, 2);
    MEASURE* b = Add(chain, MeasureKind::Angle, {20.0});
    MEASURE* c = Add(chain, MeasureKind::Circle, {2.0});
    list.Rebuild(chain, 1);
    list.MarkSelected({1, 3});
    EXPECT_EQ(a->selected, 1);
    EXPECT_EQ(b->selected, 0);
    EXPECT_EQ(c->selected, 1);
    list.MarkSelected({2});
    EXPECT_EQ(a->selected, 0);
    EXPECT_EQ(b->selected, 1);
    EXPECT_EQ(c->selected, 0);
}

TEST_F(ResultListTest, RebuildOfAnEmptyChainHasNoRowsAndRebuildEndsOnTheLastRecord) {
    Add(chain, MeasureKind::Line, {1.0, 0.0}, 2);
    list.Rebuild(chain, 1);
    EXPECT_EQ(list.count(), 2);
    MEASURE* last = Add(chain, MeasureKind::Angle, {1.0});
    chain.MoveFirst();
    list.Rebuild(chain, 1);
    EXPECT_EQ(chain.current, last);
    chain.RemoveAll();
    list.Rebuild(chain, 1);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(ResultListTest, JapaneseTexts) {
    g_bJapanese = true;
    MEASURE* line = Add(chain, MeasureKind::Line, {1.0, 0.0}, 2);
    Add(chain, MeasureKind::Aria, {4.0, 4.0}, 3);
    list.Rebuild(chain, 2);
    EXPECT_EQ(Column(list, 1), (Cells{"二点間距離", "角度", "多角形面積"}));
    EXPECT_EQ(Column(list, 3), (Cells{"um", "°", "um2"}));
    EXPECT_EQ(list.row(0)->record, line);
}

} // namespace
