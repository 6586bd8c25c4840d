#pragma once
#include "platform/colorref.h"
#include "platform/int_rect.h"

#include <cstdint>
#include <string>
#include <vector>

// Scale rows of the focus windows' combo box ("1" ... "10") and their bar maxima.
std::vector<std::string> FocusScaleRows();
// The maximum of a `FocusSelect` row; rows outside 0 ... 9 are taken as the nearest.
int FocusScaleMaximum(int focusSelect);

// Top of a bar ending at `height` for a value on a scale of `maximum`:
// (maximum - value) x height / maximum, truncated; a value above the maximum fills the
// whole height, a value below 0 leaves the bar empty.
int FocusBarTop(std::int32_t value, int maximum, int height);

// What a focus window paints: the peak bar (companion of the bar colour) then the value
// bar (the bar colour), both as wide as the client area and ending at client height
// minus the combo box's height.
struct FocusWindowBars {
    IntRect peak;
    COLORREF peakColour = 0;
    IntRect value;
    COLORREF valueColour = 0;
};
FocusWindowBars FocusBarsFor(int clientWidth, int clientHeight, int comboHeight, std::int32_t value,
                             std::int32_t peak, int focusSelect, COLORREF barColour);
