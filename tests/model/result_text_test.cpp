#include "model/result_text.h"

#include "model/measure.h"
#include "model/result_rows.h"
#include "platform/language.h"
#include "platform/string_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class LanguageGuard {
public:
    explicit LanguageGuard(bool japanese) : m_saved(g_bJapanese) { g_bJapanese = japanese; }
    ~LanguageGuard() { g_bJapanese = m_saved; }

private:
    bool m_saved;
};

using Q = ResultQuantity;

} // namespace

TEST(ResultText, CellsAndLabelsByUnit) {
    LanguageGuard english(false);
    struct Case {
        Q quantity;
        int unit;
        double value;
        const char* cell;
        const char* unitCell;
        const char* label;
    };
    const std::vector<Case> cases = {
        {Q::Length, 0, 1.23456, "1.23", "cm", "1.23cm"},
        {Q::Length, 1, 1.23456, "1.235", "mm", "1.235mm"},
        {Q::Length, 2, 1.23456, "1.23", "um", "1.23um"},
        {Q::Length, 1, 0.0, "0.000", "mm", "0.000mm"},
        {Q::Area, 0, 12.345, "12.35", "cm2", "12.35cm2"},
        {Q::Area, 1, 12.3454, "12.345", "mm2", "12.345mm2"},
        {Q::Area, 2, 0.0, "0.00", "um2", "0.00um2"},
        {Q::Length, 3, 1.0, "", "", ""},
        {Q::Area, -1, 1.0, "", "", ""},
        {Q::Angle, 1, 45.0000001, "45.0", "degree", "45.0degree"},
        {Q::Angle, 7, 314.9999999, "315.0", "degree", "315.0degree"},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(testing::Message() << "quantity " << static_cast<int>(tc.quantity) << " unit " << tc.unit);
        EXPECT_EQ(ResultValueText(tc.value, tc.quantity, tc.unit), tc.cell);
        EXPECT_EQ(ResultUnitText(tc.quantity, tc.unit), tc.unitCell);
        EXPECT_EQ(ResultLabelText(tc.value, tc.quantity, tc.unit), tc.label);
    }
}

TEST(ResultText, AngleUnitFollowsTheLanguage) {
    LanguageGuard japanese(true);
    EXPECT_EQ(ResultUnitText(Q::Angle, 0), "°");
    EXPECT_EQ(ResultLabelText(89.9999997, Q::Angle, 0), "90.0°");
}

TEST(ResultText, HugeValuesAreWrittenInFull) {
    const std::string text = ResultLabelText(1e300, Q::Length, 2);
    EXPECT_EQ(text.size(), 301u + 3u + 2u); // 301 digits, ".00", "um"
    EXPECT_EQ(text.substr(text.size() - 5), ".00um");
}

TEST(ResultRows, RowsPerKindInListOrder) {
    struct Row {
        int textId;
        Q quantity;
        int valueIndex;
    };
    struct Case {
        std::int32_t kind;
        std::vector<Row> rows;
    };
    namespace K = MeasureKind;
    const std::vector<Case> cases = {
        {-K::Line, {{strid::Length, Q::Length, 0}, {strid::Angle, Q::Angle, 1}}},
        {-K::Aria, {{strid::PolygonArea, Q::Area, 0}}},
        {-K::Circle, {{strid::CircleDiameter, Q::Length, 0}}},
        {-K::Circle2,
         {{strid::CircleDiameter, Q::Length, 0},
          {strid::CircleDiameter, Q::Length, 1},
          {strid::CircleDistance, Q::Length, 2},
          {strid::Angle, Q::Angle, 3}}},
        {-K::Sui, {{strid::Length, Q::Length, 0}}},
        {-K::Angle, {{strid::Angle, Q::Angle, 0}}},
        {K::Line, {}}, // still being drawn
        {K::None, {}},
        {-9, {}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << tc.kind);
        MEASURE m;
        m.kind = tc.kind;
        m.value = {10.5, 11.5, 12.5, 13.5, 14.5};
        const std::vector<ResultRow> rows = ResultRowsFor(m);
        ASSERT_EQ(rows.size(), tc.rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].kindTextId, tc.rows[i].textId);
            EXPECT_EQ(rows[i].quantity, tc.rows[i].quantity);
            EXPECT_EQ(rows[i].valueIndex, tc.rows[i].valueIndex);
            EXPECT_EQ(rows[i].value, m.value[static_cast<std::size_t>(tc.rows[i].valueIndex)]);
        }
    }
}
