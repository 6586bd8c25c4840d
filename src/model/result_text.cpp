#include "model/result_text.h"

#include "calib/calibration.h"
#include "platform/string_table.h"
#include "platform/text_format.h" // always a decimal point, whatever the locale

namespace {

bool KnownUnit(int unit) { return unit >= 0 && unit <= 2; }

} // namespace

std::string ResultValueText(double value, ResultQuantity quantity, int unit) {
    if (quantity == ResultQuantity::Angle)
        return StrFormat("%.1f", value);
    if (!KnownUnit(unit))
        return {};
    return unit == 1 ? StrFormat("%.3f", value) : StrFormat("%.2f", value);
}

std::string ResultUnitText(ResultQuantity quantity, int unit) {
    switch (quantity) {
    case ResultQuantity::Angle: return LoadStr(strid::Degree);
    case ResultQuantity::Area: return KnownUnit(unit) ? std::string(UnitText(unit)) + "2" : std::string();
    case ResultQuantity::Length:
    default: return UnitText(unit);
    }
}

std::string ResultLabelText(double value, ResultQuantity quantity, int unit) {
    if (quantity == ResultQuantity::Angle)
        return StrFormat("%.1f%s", value, LoadStr(strid::Degree));
    if (!KnownUnit(unit))
        return {};
    return ResultValueText(value, quantity, unit) + ResultUnitText(quantity, unit);
}
