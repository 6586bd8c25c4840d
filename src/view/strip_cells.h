#pragma once
#include "platform/int_rect.h"

#include <string>
#include <vector>

class CDibImage;

// One entry of the thumbnail strip as it is painted: the thumbnail picture and the
// saved file's name with its extension.
struct StripEntry {
    const CDibImage* picture = nullptr;
    std::string name;
};

// Sizes of the strip, already scaled to the screen: the cells (thumbnails of 140 x 105 at
// 96 dpi), the margin inside the group box (8), the gap between cells (6) and the
// cells' distance from the box's top (14).
struct StripMetrics {
    int cellWidth = 140;
    int cellHeight = 105;
    int margin = 8;
    int gap = 6;
    int top = 14;
};

struct StripCell {
    int index = 0; // entry shown
    int x = 0;     // cell's top-left corner
    int y = 0;
};

// Whole cells that fit the box: (box width - margin) / (cell width + gap), at least 0.
int StripCellsPerPage(const IntRect& box, const StripMetrics& m);

// The cells painted for scroll position `first` over `count` entries: entries first,
// first + 1, ... while they exist and one more than the whole cells that fit, so the
// last one shows in part. A negative position counts as 0.
std::vector<StripCell> VisibleStripCells(const IntRect& box, const StripMetrics& m, int first,
                                         int count);
