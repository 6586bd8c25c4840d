#pragma once
#include <string>

// Screen magnification: index 0 fits the picture to its area, 1 ... 21 are the
// factors 1.0, 1.2, ... 5.0.
constexpr int kMagnificationCount = 22;

// Factor of a magnification index; 1.0 for the fit index and for indexes out of range.
inline double MagnificationFactor(int index) {
    if (index < 1 || index >= kMagnificationCount)
        return 1.0;
    return 1.0 + 0.2 * (index - 1);
}

// Row text of a magnification index in the current language: "full-screen" /
// "全画面表示" for 0, else the factor with whole numbers written without a decimal
// point, "x1", "x1.2", ... "x5" / "1倍", "1.2倍", ... "5倍". Empty out of range.
std::string MagnificationName(int index);
