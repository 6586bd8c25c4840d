#pragma once
#include "calib/scale_data.h"
#include "model/dpoint.h"

#include <optional>
#include <string>
#include <vector>

// The scale bar over the picture: a bar of `Size.cx` calibrated units along X ending at
// `Pos` (its right end), with ticks, a label, and for the X-Y bar a second bar of
// `Size.cy` units going up from `Pos`. All positions are image pixels.
//
// The lengths divide by the selected calibration's factors. While `mpp.x` or `mpp.y` is
// not a positive number (an unset calibration), or a length would come out beyond any
// picture, there is no bar: nothing is drawn and the mouse cannot take it.

struct ScaleBarSegment {
    DPOINT from;
    DPOINT to;
};

struct ScaleBarShape {
    double lenX = 0.0; // image pixels
    double lenY = 0.0;
    std::vector<ScaleBarSegment> segments; // bars and ticks, in drawing order
    DPOINT labelTopLeft;
    std::string label; // "%.2f%s": Size.cx and the unit text, e.g. "10.00mm"
};

// The bar as drawn, or nothing while the factors give no usable length. Does not look
// at `Visible`.
std::optional<ScaleBarShape> ScaleBarGeometry(const ScaleData& bar);

// Whether a left press at image position p falls on the bar (X bar first, then the Y
// bar of the X-Y bar). Never while the bar is hidden or has no usable length.
bool ScaleBarHit(const ScaleData& bar, const DPOINT& p);

// Left press: takes the bar when p is on it, with the grab offsets of the part that was
// hit, and returns true (the press does nothing else then).
bool ScaleBarGrab(ScaleData& bar, const DPOINT& p);
// Mouse move while the bar is held: moves it so that the grabbed point follows p.
// Returns false (and moves nothing) when the bar is not held.
bool ScaleBarDrag(ScaleData& bar, const DPOINT& p);
void ScaleBarRelease(ScaleData& bar);

// Position presets of the display settings: 0 upper left, 1 lower left, 2 upper right,
// 3 lower right, 4 center, for bar lengths X and Y (calibrated units) over a picture of
// width x height. The bar keeps 50 pixels from the picture's edges. An axis whose factor
// is not positive counts its bar as 0 pixels long. Unknown rows give nothing.
std::optional<IntPoint> ScaleBarPresetPosition(int row, int x, int y, const DoublePair& mpp,
                                               int width, int height);
