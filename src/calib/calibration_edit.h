#pragma once
#include "calib/calibration.h"
#include "platform/int_rect.h"

#include <string>
#include <string_view>

// What the calibration window does to the record it edits.

// The longest calibration name kept, in characters.
constexpr std::size_t kCalibrationNameChars = 255;

// "X = %f, Y = %f [%s/pix]": the factors that confirming would store, from
// the lengths typed and the spans of the reference cross. A zero span shows
// an infinite factor; an unknown unit row an empty unit.
std::string CalibrationDisplayText(double x, double y, const CALIBRATION& c, int unitRow);

// The name as stored: at most kCalibrationNameChars characters, never cut
// inside a character.
std::string CalibrationName(std::string_view typed);

// OK: name, lengths and unit from the window; the factors recomputed from the
// cross (an axis with a zero span keeps its factor).
void ConfirmCalibration(CALIBRATION& c, std::string_view name, double x, double y, int unit);

// Reset: 10 x 10 mm over a 200-pixel cross at the top-left corner, and the
// search rectangle 10 pixels inside the picture. Name and factors stay.
// Without a picture (a size of 0 or less) the search rectangle stays.
void ResetCalibrationSet(CALIBRATION& c, IntRect& calibSet, int imageWidth, int imageHeight);
