#include "images/strip_scroll.h"

int StripVisibleCount(const IntRect& box, const StripMetrics& m) {
    return StripCellsPerPage(box, m) + 1;
}

int StripEntryAt(const IntRect& box, const StripMetrics& m, int first, int count, int x, int y) {
    for (const StripCell& c : VisibleStripCells(box, m, first, count))
        if (x >= c.x && x < c.x + m.cellWidth && y >= c.y && y < c.y + m.cellHeight)
            return c.index;
    return -1;
}

StripScroll StripScrollFor(int visibleCount, int count) {
    StripScroll s;
    if (visibleCount < count + 1) {
        s.shown = true;
        s.maximum = count;
        s.page = visibleCount;
    }
    return s;
}
