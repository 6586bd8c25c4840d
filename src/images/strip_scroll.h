#pragma once

// The thumbnail strip's scroll bar. `visibleCount` is the number of cells the strip
// shows at once, (box width - margin) / pitch + 1 in screen pixels.
struct StripScroll {
    bool shown = false;
    int maximum = 0; // range 0 ... maximum
    int page = 0;
};

int StripVisibleCount(int boxWidth, int margin, int pitch);
// Shown with range 0 ... count and page visibleCount when visibleCount < count + 1;
// otherwise hidden with range 0 ... 0 and page 0.
StripScroll StripScrollFor(int visibleCount, int count);
