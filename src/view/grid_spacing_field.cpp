#include "view/grid_spacing_field.h"

#include "platform/text_format.h"

#include <cmath>

namespace {

bool UsableFactor(double mpp) { return std::isfinite(mpp) && mpp > 0.0; }

} // namespace

std::string CalibratedGridText(int gridSize, double mppX, int scaleDec) {
    if (!UsableFactor(mppX))
        return {};
    const double v = gridSize * mppX;
    switch (scaleDec) {
    case 2: return StrFormat("%.2f", v);
    case 3: return StrFormat("%.3f", v);
    default: return StrFormat("%.1f", v);
    }
}

std::optional<CalibratedGridInput> ParseCalibratedGrid(std::string_view text, double mppX) {
    if (!UsableFactor(mppX))
        return std::nullopt;
    CalibratedGridInput in;
    const auto dot = text.find('.');
    if (dot != std::string_view::npos) {
        // Characters, not bytes: UTF-8 continuation bytes do not count.
        in.scaleDec = 0;
        for (const char c : text.substr(dot + 1))
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++in.scaleDec;
    }
    const std::string copy(text);
    const double v = StrToDoubleC(copy.c_str());
    if (!(v > 0.0))
        return in;
    // A value typed as a whole number of pixels must not lose one to round-off
    // (0.3 / 0.05 is 5.999...).
    const double pixels = std::floor(v / mppX * (1.0 + 1e-9));
    if (pixels >= 1.0)
        in.gridSize = pixels >= kMaxGridSize ? kMaxGridSize : static_cast<int>(pixels);
    return in;
}
