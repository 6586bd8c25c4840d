#pragma once
#include "model/dpoint.h"
#include "platform/colorref.h"
#include "platform/int_rect.h"
#include "view/measure_figure.h"

#include <functional>

struct CALIBRATION;
struct ColorSettings;
struct MEASURE;
struct OverlayMapping;
struct ScaleData;
class CMeasureChain;
class OverlayList;

// Adds layers drawn by other features (cross lines, focus areas, the focus profile).
using OverlayHook = std::function<void(OverlayList& out, const OverlayMapping& map)>;

// What the overlay of one paint is made of. Records are not const: drawing writes the
// label texts and the foot of each SUI back into them.
struct OverlayInputs {
    CMeasureChain* measurements = nullptr; // finished measurements, in list order
    MEASURE* working = nullptr;            // the measurement being drawn (tool armed: kind 1 ... 6)
    const ColorSettings* color = nullptr;
    const ScaleData* scaleBar = nullptr;
    // The figure being drawn follows this cursor (after edge snapping); unset: the
    // figure shows only its placed points.
    bool hasCursor = false;
    FigureCursor cursor;
    // Cursor crosshair (`m_bCrossCursor`) through this image position (no snapping).
    bool crossCursor = false;
    DPOINT crossCursorAt;
    // Part of the picture step: drawn under every layer, never onto saved pictures.
    OverlayHook pictureLayer;
    OverlayHook crossLines; // layer 3
    OverlayHook focusAreas; // layer 5
};

// The overlay layers in their order, then the measurement being drawn:
//   1 finished measurements, 2 scale bar, 3 cross lines (hook), 4 focus line,
//   5 focus areas (hook), 6 grid, 7 cursor crosshair; last the working measurement
//   when a tool is armed and it has a point.
void AppendOverlayLayers(OverlayList& out, const OverlayMapping& map, const OverlayInputs& in);

// Layer 2: the scale bar while it is visible and has a usable length.
void AppendScaleBar(OverlayList& out, const OverlayMapping& map, const ScaleData& bar,
                    const ColorSettings& color);
// Layer 6: lines every `gridsize` image pixels, k = 1 ... floor(size / gridsize) along
// each axis, across the picture. A spacing below 1 draws nothing.
void AppendGrid(OverlayList& out, const OverlayMapping& map, const ColorSettings& color);
// Layer 7: a vertical and a horizontal line through the cursor, across the picture.
void AppendCrosshair(OverlayList& out, const OverlayMapping& map, const DPOINT& at, COLORREF colour);
// Layer 4: the focus line across the picture at row `color.focuspos`.
void AppendFocusLine(OverlayList& out, const OverlayMapping& map, const ColorSettings& color);

// The reference cross of the calibration window, drawn on the window itself (never on
// saved pictures): the search rectangle `calibSet` and the selected calibration's cross
// with ticks of 10 window pixels. `map` maps image pixels to window pixels.
void AppendCalibrationOverlay(OverlayList& out, const OverlayMapping& map,
                              const CALIBRATION& calibration, const IntRect& calibSet,
                              COLORREF colour, int width);

MeasureStyle MeasureStyleFrom(const ColorSettings& color);
