#include "images/strip_scroll.h"

#include <algorithm>

int StripVisibleCount(const StripGeometry& g) {
    if (g.pitch <= 0)
        return 1;
    const int room = g.box.width() - g.margin;
    return (room > 0 ? room / g.pitch : 0) + 1;
}

IntRect StripCellRect(const StripGeometry& g, int first, int i) {
    const int x = g.box.left + g.margin + (i - first) * g.pitch;
    const int y = g.box.top + g.top;
    return {x, y, x + g.cellWidth, y + g.cellHeight};
}

int StripEntryAt(const StripGeometry& g, int first, int count, int x, int y) {
    first = std::max(first, 0);
    const int last = std::min(count, first + StripVisibleCount(g));
    for (int i = first; i < last; ++i) {
        const IntRect r = StripCellRect(g, first, i);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return i;
    }
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
