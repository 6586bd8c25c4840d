#pragma once
#include "model/dpoint.h"
#include "view/cross_line.h"
#include "view/overlay_list.h"

struct CrossLineModel;

// Row (or column) where a line of that size starts, for a line through `at`: at - Size / 2.
constexpr int CrossLineStart(int at, int size) {
    return at - size / 2;
}

// One entry's cross at the picture position `at` of the surface drawn on: `Size` rows
// and `Size` columns across the whole picture area (which starts at the mapping's
// origin), blended at `Draw` percent, dashed from the picture area's edge for Type 1.
void AppendCrossLine(OverlayList& out, const OverlayMapping& map, const CROSSLINE& entry,
                     OverlayPoint at);

// Layer 3: the first list's crosses, then the second list's crosses, circles and click
// markers. `cursor` is the mouse in image pixels after edge snapping, or null when the
// mouse is not over the picture; an entry with two clicks draws the circle through them
// and the cursor.
void AppendCrossLines(OverlayList& out, const OverlayMapping& map, const CrossLineModel& model,
                      const DPOINT* cursor);
