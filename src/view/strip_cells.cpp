#include "view/strip_cells.h"

#include <algorithm>

int StripCellsPerPage(const IntRect& box, const StripMetrics& m) {
    const int step = m.cellWidth + m.gap;
    if (step <= 0)
        return 0;
    return std::max(0, (box.width() - m.margin) / step);
}

std::vector<StripCell> VisibleStripCells(const IntRect& box, const StripMetrics& m, int first,
                                         int count) {
    std::vector<StripCell> cells;
    const int step = m.cellWidth + m.gap;
    if (step <= 0)
        return cells;
    first = std::max(0, first);
    const int shown = StripCellsPerPage(box, m) + 1;
    for (int k = first; k < count && k - first < shown; ++k)
        cells.push_back({k, box.left + m.margin + (k - first) * step, box.top + m.top});
    return cells;
}
