#include "model/result_text.h"

#include "calib/calibration.h"
#include "platform/string_table.h"

#include <cstdarg>
#include <cstdio>

namespace {

// printf into a std::string of whatever length the value needs ("%.2f" of a
// huge double runs to hundreds of digits).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

bool KnownUnit(int unit) { return unit >= 0 && unit <= 2; }

} // namespace

std::string ResultValueText(double value, ResultQuantity quantity, int unit) {
    if (quantity == ResultQuantity::Angle)
        return Format("%.1f", value);
    if (!KnownUnit(unit))
        return {};
    return unit == 1 ? Format("%.3f", value) : Format("%.2f", value);
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
        return Format("%.1f%s", value, LoadStr(strid::Degree));
    if (!KnownUnit(unit))
        return {};
    return ResultValueText(value, quantity, unit) + ResultUnitText(quantity, unit);
}
