#pragma once
#include <array>
#include <optional>

// Widths of the results list's four columns (No., type, result, unit) in a panel of
// `available` pixels. No., result and unit get at least the width their texts need, so
// that every value and unit stays readable; the type column takes the rest and is the
// one that is cut (elided) when the panel is narrow, though never below `typeMinimum`.
// `asked` is a width the operator dragged one column to: honoured as far as it leaves
// the others their room, so that widening a column never pushes the unit out of sight.
// Only when the needed widths alone exceed the panel do the columns run past it.
struct ColumnWidthAsked {
    int column = 0;
    int width = 0;
};
constexpr int kResultTypeColumn = 1;
std::array<int, 4> FitResultColumns(int available, const std::array<int, 4>& needed, int typeMinimum,
                                    std::optional<ColumnWidthAsked> asked = std::nullopt);
