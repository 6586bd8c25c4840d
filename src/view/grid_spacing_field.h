#pragma once
#include <optional>
#include <string>
#include <string_view>

// The display settings' grid spacing in calibrated units (edit 1232): the spacing in
// pixels times the selected calibration's `mpp.x`, shown with `ScaleDec` decimals.
//
// While `mpp.x` is not a positive number there is no calibrated spacing: the field is
// empty and what is typed into it is ignored.

// Largest grid spacing in pixels, the range of the spacing's spin box.
inline constexpr int kMaxGridSize = 500;

// The field's text: "%.1f", "%.2f" or "%.3f" for ScaleDec 1, 2, 3 and "%.1f" for any
// other value; empty while mpp.x is not positive.
std::string CalibratedGridText(int gridSize, double mppX, int scaleDec);

struct CalibratedGridInput {
    int scaleDec = -1;           // characters after the first ".", -1 without one
    std::optional<int> gridSize; // new spacing in pixels, when the value gives one
};

// What typing `text` into the field means: ScaleDec from the text, and the spacing
// floor(v / mpp.x) for the value v when v > 0 and that spacing is at least 1 pixel
// (capped at kMaxGridSize). The value is read as the leading number of the text in the
// "C" format; text that is not a number reads 0. Nothing at all while mpp.x is not
// positive.
std::optional<CalibratedGridInput> ParseCalibratedGrid(std::string_view text, double mppX);
