#pragma once
#include "platform/int_rect.h"
#include "view/strip_cells.h"

// The thumbnail strip's scroll range and the cell under the mouse, for the strip in the
// group box `box` with the cells the strip painter uses.

// Cells shown at once, the partly shown one included: whole cells that fit, plus one.
int StripVisibleCount(const IntRect& box, const StripMetrics& m);
// The entry whose shown cell holds (x, y), or -1, with the strip scrolled to `first`.
int StripEntryAt(const IntRect& box, const StripMetrics& m, int first, int count, int x, int y);

// The strip's scroll bar, in the terms of a range with a page: when the cells do not
// all fit (visible count < count + 1) it is shown with range 0 ... count and page the
// visible count; otherwise hidden with range 0 ... 0 and page 0.
struct StripScroll {
    bool shown = false;
    int maximum = 0;
    int page = 0;
    // The last position a scroll bar takes with this range and page.
    int lastPosition() const {
        const int last = maximum - (page > 1 ? page : 1) + 1;
        return last > 0 ? last : 0;
    }
};
StripScroll StripScrollFor(int visibleCount, int count);
