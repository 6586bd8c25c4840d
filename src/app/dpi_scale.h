#pragma once
#include <cstdint>

// a * b / c rounded half away from zero, computed in 64 bits; -1 when c is 0.
inline int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c > 0 ? c : -c) / 2;
    const bool negative = (p < 0) != (c < 0);
    const std::int64_t q = ((p < 0 ? -p : p) + half) / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -q : q);
}

// Lengths in the layout are given for 96 dots per inch and scaled to the screen's.
struct DpiScale {
    int dpiX = 96;
    int dpiY = 96;
    int x(int n) const { return MulDiv(n, dpiX, 96); }
    int y(int n) const { return MulDiv(n, dpiY, 96); }
};
