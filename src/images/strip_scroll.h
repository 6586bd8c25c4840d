#pragma once
#include "platform/int_rect.h"

// The thumbnail strip under the picture: cells of cellWidth x cellHeight in a row inside
// the group box `box`, the first `margin` pixels from the box's left edge, `pitch` apart
// (cell width and gap), `top` pixels below the box's top. All in screen pixels.
struct StripGeometry {
    IntRect box;
    int cellWidth = 140;
    int cellHeight = 105;
    int margin = 8;
    int pitch = 146;
    int top = 14;
};

// Cells shown at once, the partly shown one included: (box width - margin) / pitch + 1.
int StripVisibleCount(const StripGeometry& g);
// The cell of entry i with the strip scrolled to `first`.
IntRect StripCellRect(const StripGeometry& g, int first, int i);
// The entry whose shown cell holds (x, y), or -1. Entries first, first + 1, ... are shown
// while they exist and fewer than the visible count.
int StripEntryAt(const StripGeometry& g, int first, int count, int x, int y);

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
