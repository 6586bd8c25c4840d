#pragma once
#include <cstdint>

// Colours are kept as red + 256 * green + 65536 * blue, the form stored in the settings file.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// The companion colour (red and blue exchanged) marks the other state of an element.
constexpr COLORREF CompanionColour(COLORREF c) {
    return RGB(GetBValue(c), GetGValue(c), GetRValue(c));
}
