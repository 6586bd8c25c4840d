#include "model/result_column_fit.h"

#include <algorithm>

std::array<int, 4> FitResultColumns(int available, const std::array<int, 4>& needed, int typeMinimum,
                                    std::optional<ColumnWidthAsked> asked) {
    std::array<int, 4> w{};
    int fixed = 0;
    for (int c = 0; c < 4; ++c)
        if (c != kResultTypeColumn) {
            w[c] = std::max(0, needed[c]);
            fixed += w[c];
        }
    typeMinimum = std::max(0, typeMinimum);
    const bool askedValid = asked && asked->column >= 0 && asked->column < 4;
    if (askedValid && asked->column != kResultTypeColumn) {
        // A column may grow into the type column's room, down to the type's minimum.
        const int room = std::max(0, available - fixed - typeMinimum);
        const int c = asked->column;
        w[c] += std::clamp(asked->width - w[c], 0, room);
        fixed += w[c] - std::max(0, needed[c]);
    }
    const int rest = std::max(typeMinimum, available - fixed);
    w[kResultTypeColumn] = askedValid && asked->column == kResultTypeColumn
                               ? std::clamp(asked->width, typeMinimum, rest)
                               : rest;
    return w;
}
