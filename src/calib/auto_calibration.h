#pragma once
#include "calib/blob_search.h"
#include "calib/calibration.h"
#include "platform/int_rect.h"

#include <array>
#include <cstdint>

class CDibImage;
class Profile;

// Automatic calibration (the Auto button of the calibration window): the spacing of the
// marks of a dot target, measured in the search rectangle, becomes the calibration's
// reference cross. Only the cross changes; lengths, unit and factors stay.

enum class AutoCalibrationError {
    None,
    NoPicture,      // no 8, 24 or 32-bit picture
    RegionTooSmall, // the search rectangle, cut to the picture, leaves nothing inside its margins
    NoDot,          // no blob passes the dot test
    TooManyLabels,  // a search would need more labels than the table holds
    NoPitch,        // a strip gave fewer than two edge crossings
};

struct AutoCalibrationResult {
    AutoCalibrationError error = AutoCalibrationError::None;
    // The search rectangle as used: normalised and cut to the picture.
    IntRect region;
    // The central dot as reported, in the crop's coordinates.
    FoundBlob dot;
    // Mean spacing of the crossings: left, bottom side, right, top side.
    std::array<double, 4> pitch{};

    bool ok() const { return error == AutoCalibrationError::None; }
};

// The label images of the search rectangle: the dark mask (grey (30 R + 59 G + 11 B) / 100
// below 80) and the edge mask (Sobel magnitude of that grey above 100), both with rows
// bottom first. Returns false when the picture cannot be read or the rectangle is empty.
bool MakeAutoCalibrationMasks(const CDibImage& display, const IntRect& region, LabelImage& dark,
                              LabelImage& edges);

// Measures the picture inside `calibSet` and, on success, sets the cross of `c` to the
// pitches around its present centre. `autoMinSize` and `autoMaxSize` are the dot radius
// limits in pixels. On failure `c` is unchanged.
AutoCalibrationResult AutoCalibrate(const CDibImage& display, const IntRect& calibSet,
                                    int autoMinSize, int autoMaxSize, CALIBRATION& c);

// The new cross: the same centre (|right + left| / 2, |bottom + top| / 2), the left half
// pitch[0] / 2, the top half pitch[1] / 2, the right half pitch[2] / 2, the bottom half
// pitch[3] / 2.
void SetCrossFromPitches(CALIBRATION& c, const std::array<double, 4>& pitch);

// "AutoMinSize" and "AutoMaxSize" read again from the settings file, the present values
// as defaults.
void ReloadAutoSizeLimits(const Profile& profile, std::int32_t& autoMinSize,
                          std::int32_t& autoMaxSize);
