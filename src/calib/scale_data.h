#pragma once
#include "calib/calibration.h"

#include <cstdint>

struct IntPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct IntSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// The scale bar, and the copy of the selected calibration's factors and unit
// that the bar, the grid field and the cross lines read.
struct ScaleData {
    std::int32_t Visible = 0;
    std::int32_t Type = 0; // 0 X bar, 1 X-Y bar
    std::int32_t unit = 0;
    IntPoint Pos{590, 430}; // image pixels: right end of the X bar
    IntSize Size{10, 10};   // bar lengths in the calibration's unit
    double Scale_x = 10.0;  // "m_ScaleData.Scale.x": kept in the settings, not used
    double Scalexy = 10.0;
    DoublePair mpp;
    // Bar held by the left mouse button, with the grab offsets in image pixels.
    std::int32_t dragging = 0;
    std::int32_t dragDx = 0;
    std::int32_t dragDy = 0;
};
