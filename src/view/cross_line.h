#pragma once
#include "model/dpoint.h"
#include "platform/colorref.h"

#include <array>
#include <cstdint>
#include <vector>

// One cross line: a horizontal and a vertical line through one point; in the second list
// also a circle defined by three clicks and then centred on the cross.
struct CROSSLINE {
    struct Click {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    std::int32_t Show = 1;
    // Image pixels: absolute for the first entry of a list, an offset from it for the others.
    std::int32_t Pos_x = 0;
    std::int32_t Pos_y = 0;
    std::int32_t Type = 0; // 0 solid, 1 dashed
    COLORREF Color = RGB(0, 255, 0);
    std::int32_t Size = 1;   // 1 ... 10 picture-area pixels
    std::int32_t Draw = 100; // opacity in percent
    std::array<Click, 3> points{};
    float Radius = 50.0f;
    std::int32_t Mode = 0; // circle clicks received; 3 = circle defined
    std::int32_t rimHeld = 0;
};

constexpr int kCrossLineMinSize = 1;
constexpr int kCrossLineMaxSize = 10;
constexpr int kCircleDefined = 3;
constexpr COLORREF kCrossLineGreen = RGB(0, 255, 0);

// The two lists: 0 "Clossline" (plain crosses), 1 "With circle".
using CrossLineList = std::vector<CROSSLINE>;

// Absolute image position of entry `index` of a list (the first entry plus the offset).
DPOINT CrossLineAbsolute(const CrossLineList& list, std::size_t index);

// True when the entry is drawn: its list's first entry and the entry itself are shown.
bool CrossLineShown(const CrossLineList& list, std::size_t index);
