#pragma once
#include "model/dpoint.h"

// Cursor codes of the main window's picture area (`m_CursorType`).
namespace CursorCode {
constexpr int Default = 0;
constexpr int Ring = 1;       // program cursor 176: a point snapped to an edge
constexpr int ThinCross = 2;  // program cursor 177
constexpr int Hand = 3;       // program cursor 138: panning
constexpr int Move = 4;       // program cursor 174: a label being moved
constexpr int SizeNeSw = 6;   // diagonal resize arrow NE-SW
constexpr int SizeVertical = 7;
constexpr int SizeNwSe = 8;   // diagonal resize arrow NW-SE
constexpr int SizeHorizontal = 9;
constexpr int SizeAll = 10;
} // namespace CursorCode

// The resize arrow for dragging a circumference at p of a circle centred on c: the
// arrow that points along the radius. Returns 0 when p and c share an x or a y, in
// which case the cursor stays as it is.
int DirectionCursor(const DPOINT& c, const DPOINT& p);
