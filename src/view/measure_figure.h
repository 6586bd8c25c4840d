#pragma once
#include "model/dpoint.h"
#include "platform/colorref.h"

#include <functional>

struct MEASURE;
struct OverlayMapping;
class OverlayList;

// Pens and colours of the measurements in one paint (from the display settings).
struct MeasureStyle {
    COLORREF line = 0;
    COLORREF text = 0;
    int lineWidth = 1;
    bool showAngle = true;
    int angleBaseLine = 0;
};

// The cursor a figure being drawn follows.
struct FigureCursor {
    DPOINT at; // image pixels, after edge snapping
    // SHIFT held: the end the figure is drawn to for a first point p0 and the cursor
    // (direction rounded to the angle step, the cursor's distance kept). `sui` asks for
    // the base-line variant. Unset: no rounding.
    std::function<DPOINT(const DPOINT& p0, const DPOINT& cursor, bool sui)> constrain;
};

// Adds one measurement to the overlay.
//
// A finished record (kind < 0) is drawn with its result labels, which are written into
// its `labelText`; a selected one in the inverted line and text colours. A finished SUI
// gets the foot of its perpendicular recomputed and stored as its fourth point. A record
// being drawn (kind > 0) follows `cursor` (no cursor: only the placed points) and is
// never highlighted; a LINE writes its live direction label into slot 1.
// Records of kind or point count 0 draw nothing.
void AppendMeasureFigure(OverlayList& out, MEASURE& m, const OverlayMapping& map,
                         const MeasureStyle& style, const FigureCursor* cursor = nullptr);

// The whole straight line through a and b across the picture (0, 0)-(width, height), in
// image pixels; coinciding points give the vertical line through them. False when the
// line misses the picture.
bool LineAcrossPicture(const DPOINT& a, const DPOINT& b, int width, int height, DPOINT& from,
                       DPOINT& to);
