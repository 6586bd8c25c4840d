#include "view/focus_bars.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::array<int, 10> kScaleMaximum{255, 160, 128, 96, 64, 48, 32, 24, 16, 12};
}

std::vector<std::string> FocusScaleRows() {
    std::vector<std::string> rows;
    for (int i = 1; i <= 10; ++i)
        rows.push_back(std::to_string(i));
    return rows;
}

int FocusScaleMaximum(int focusSelect) {
    return kScaleMaximum[static_cast<std::size_t>(std::clamp(focusSelect, 0, 9))];
}

int FocusBarTop(std::int32_t value, int maximum, int height) {
    if (maximum <= 0 || height <= 0)
        return 0;
    if (value >= maximum)
        return 0;
    if (value <= 0)
        return height;
    return static_cast<int>(static_cast<long long>(maximum - value) * height / maximum);
}

FocusWindowBars FocusBarsFor(int clientWidth, int clientHeight, int comboHeight, std::int32_t value,
                             std::int32_t peak, int focusSelect, COLORREF barColour) {
    const int h = std::max(0, clientHeight - comboHeight);
    const int w = std::max(0, clientWidth);
    const int m = FocusScaleMaximum(focusSelect);
    FocusWindowBars bars;
    bars.peak = {0, FocusBarTop(peak, m, h), w, h};
    bars.peakColour = CompanionColour(barColour);
    bars.value = {0, FocusBarTop(value, m, h), w, h};
    bars.valueColour = barColour;
    return bars;
}
