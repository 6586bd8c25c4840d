#pragma once
#include "model/dpoint.h"
#include "platform/int_rect.h"

#include <cstdint>

class CDibImage;

// States of a focus area.
namespace FocusAreaState {
constexpr int Empty = 0;
constexpr int Armed = 1;       // waiting for the first corner
constexpr int FirstCorner = 2; // the rubber band follows the mouse
constexpr int Defined = 3;
constexpr int Resizing = 4;
constexpr int Closing = 5; // its window was closed; the next paint clears it
} // namespace FocusAreaState

// Grips of a focus area's rectangle: corners, then sides.
namespace FocusGrip {
constexpr int None = 0;
constexpr int TopLeft = 1;
constexpr int BottomLeft = 2;
constexpr int TopRight = 3;
constexpr int BottomRight = 4;
constexpr int Top = 5;
constexpr int Bottom = 6;
constexpr int Left = 7;
constexpr int Right = 8;
} // namespace FocusGrip

// One focus area. Its window belongs to the window side, kept under the same index.
struct FocusArea {
    std::int32_t state = FocusAreaState::Empty;
    std::int32_t grip = FocusGrip::None;
    IntRect rect; // left, top, right, bottom in image pixels
    std::int32_t active = 0;
    std::int32_t value = 0;
    std::int32_t peak = 0;
};

// Reach of a grip around a corner or along a side, in image pixels.
constexpr int kFocusGripReach = 10;

// The grip of rect at (x, y): corners first, then the sides, each range including its
// start and excluding its end; FocusGrip::None when none.
int FocusGripAt(const IntRect& rect, int x, int y);
// The resize cursor of a grip (CursorCode), 0 for none.
int FocusGripCursor(int grip);
// The rectangle with the grip moved to (x, y).
IntRect MoveFocusGrip(const IntRect& rect, int grip, int x, int y);
// left <= right, top <= bottom.
IntRect NormalisedRect(const IntRect& rect);

// The focus value of a rectangle of an 8-bit grey picture: the mean Sobel magnitude
// (single precision) over the pixels of rows top + 1 ... bottom - 2 and columns
// left + 1 ... right - 2 inside the inscribed circle, counting only magnitudes above 0;
// rounded down, 0 when none counted. Pixels without all eight neighbours in the picture
// are not considered.
std::int32_t FocusAreaValue(const CDibImage& grey, const IntRect& rect);

// The same straight from a 24 or 32-bit picture: the grey levels (11 R + 30 G + 59 B) /
// 100 are made only for the rows and columns the rectangle needs, into `scratch`.
std::int32_t FocusAreaValueOfColour(const CDibImage& picture, const IntRect& rect,
                                    CDibImage& scratch);
