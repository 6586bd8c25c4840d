#include "calib/calibration_edit.h"

#include "calib/calib_chain.h"
#include "platform/text_format.h"
#include "platform/utf8.h"

std::string CalibrationDisplayText(double x, double y, const CALIBRATION& c, int unitRow) {
    return StrFormat("X = %f, Y = %f [%s/pix]", x / (c.right - c.left), y / (c.bottom - c.top), UnitText(unitRow));
}

std::string CalibrationName(std::string_view typed) {
    return std::string(Utf8Prefix(typed, kCalibrationNameChars));
}

void ConfirmCalibration(CALIBRATION& c, std::string_view name, double x, double y, int unit) {
    c.name = CalibrationName(name);
    c.length = {x, y};
    c.unit = unit;
    RecomputeFactors(c);
}

void ResetCalibrationSet(CALIBRATION& c, IntRect& calibSet, int imageWidth, int imageHeight) {
    ResetCalibration(c);
    if (imageWidth > 0 && imageHeight > 0)
        calibSet = {10, 10, imageWidth - 10, imageHeight - 10};
}
