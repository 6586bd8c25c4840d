#pragma once
#include "app/dpi_scale.h"

#include <optional>

// The right-hand panel follows the window's right edge: each of its controls keeps
// its size and vertical position, and its right edge stays a fixed distance left of
// the client area's right edge. `liveWidth` is the current width of the LIVE button,
// `calibComboWidth` that of the calibration combo box.
std::optional<int> RightEdgeDistance(int id, const DpiScale& scale, int liveWidth,
                                     int calibComboWidth);

// New left edge of a right-aligned control, or nullopt for controls that keep theirs.
std::optional<int> RightAlignedLeft(int id, int clientWidth, int controlWidth,
                                    const DpiScale& scale, int liveWidth, int calibComboWidth);
