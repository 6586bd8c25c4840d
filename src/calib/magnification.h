#pragma once

// Screen magnification: index 0 fits the picture to its area, 1 ... 21 are the
// factors 1.0, 1.2, ... 5.0.
constexpr int kMagnificationCount = 22;

// Factor of a magnification index; 1.0 for the fit index and for indexes out of range.
inline double MagnificationFactor(int index) {
    if (index < 1 || index >= kMagnificationCount)
        return 1.0;
    return 1.0 + 0.2 * (index - 1);
}
