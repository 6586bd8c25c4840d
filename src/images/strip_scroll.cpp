#include "images/strip_scroll.h"

int StripVisibleCount(int boxWidth, int margin, int pitch) {
    if (pitch <= 0)
        return 1;
    const int room = boxWidth - margin;
    return (room > 0 ? room / pitch : 0) + 1;
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
