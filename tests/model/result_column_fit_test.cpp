#include "model/result_column_fit.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* what;
    int available;
    std::array<int, 4> needed;
    std::optional<ColumnWidthAsked> asked;
    std::array<int, 4> expected;
};

// The main window's panel: 170 pixels inside the frame and the scroll bar; No., result
// and unit need 28, 58 and 50 ("12", "112.345", "degree"); the type keeps 20 at least.
const FitCase kCases[] = {
    {"type takes the rest", 170, {28, 90, 58, 50}, std::nullopt, {28, 34, 58, 50}},
    {"a wide panel gives the type its whole text and more", 300, {28, 90, 58, 50}, std::nullopt, {28, 164, 58, 50}},
    {"type never below its minimum", 150, {28, 90, 58, 50}, std::nullopt, {28, 20, 58, 50}},
    {"needed widths beyond the panel run past it", 100, {28, 90, 58, 50}, std::nullopt, {28, 20, 58, 50}},
    {"widening the result takes from the type only", 170, {28, 90, 58, 50}, ColumnWidthAsked{2, 70}, {28, 22, 70, 50}},
    {"widening the result stops at the type's minimum", 170, {28, 90, 58, 50}, ColumnWidthAsked{2, 150}, {28, 20, 72, 50}},
    {"narrowing below the text is refused", 170, {28, 90, 58, 50}, ColumnWidthAsked{3, 10}, {28, 34, 58, 50}},
    {"widening the type stops where the unit would leave", 170, {28, 90, 58, 50}, ColumnWidthAsked{1, 120}, {28, 34, 58, 50}},
    {"narrowing the type leaves room at the end", 170, {28, 90, 58, 50}, ColumnWidthAsked{1, 25}, {28, 25, 58, 50}},
    {"an unknown column is ignored", 170, {28, 90, 58, 50}, ColumnWidthAsked{7, 500}, {28, 34, 58, 50}},
};

TEST(FitResultColumns, Table) {
    for (const FitCase& c : kCases) {
        const std::array<int, 4> w = FitResultColumns(c.available, c.needed, 20, c.asked);
        EXPECT_EQ(w, c.expected) << c.what;
        // The columns fill no more than the panel unless their texts alone need more.
        const int least = c.needed[0] + 20 + c.needed[2] + c.needed[3];
        EXPECT_LE(w[0] + w[1] + w[2] + w[3], std::max(c.available, least)) << c.what;
    }
}

} // namespace
