#pragma once
#include "calib/calibration.h"
#include "model/dpoint.h"
#include "platform/int_rect.h"

// Dragging the reference cross of a calibration and the corners of the search
// rectangle with the right mouse button, on image coordinates.
//
// The cross: its horizontal bar runs from left to right at the height midway
// between top and bottom, its vertical bar from top to bottom midway between
// left and right. The record's dragMode says what is held: 1 the whole cross,
// 2 the top end, 3 the bottom end, 4 the left end, 5 the right end. An end
// drag stretches or shrinks its bar symmetrically about the centre.
// The rectangle: calibCorner 1 top-left, 2 top-right, 3 bottom-left,
// 4 bottom-right; the held corner follows the mouse in whole pixels.

enum class CalibDragMode { None = 0, Cross = 1, Top = 2, Bottom = 3, Left = 4, Right = 5 };

// The cursor the picture shows for what is held.
enum class CalibDragCursor { None, SizeAll, SizeVertical, SizeHorizontal };

// Ends are not dragged inward below this bar length, in pixels.
constexpr double kCalibMinBar = 40.0;
// How near, in pixels, the mouse must be to a part to take it.
constexpr double kCalibGrab = 10.0;

// Right button down at `mouse`: takes a part of the cross, or failing that a
// corner of the rectangle. Returns the cursor to show; None when nothing was taken.
CalibDragCursor CalibDragBegin(CALIBRATION& c, const IntRect& calibSet, int& calibCorner, DPOINT mouse);

struct CalibDragStep {
    bool moved = false;          // the cross or the rectangle changed: repaint
    bool displayChanged = false; // a bar changed its length: the window's factors read anew
    bool released = false;       // the mouse left the picture: nothing is held any more
};

// Mouse move to `mouse` while the right button may hold something; `insideImage`
// tells whether the mouse is over the picture (leaving it lets go).
CalibDragStep CalibDragMove(CALIBRATION& c, IntRect& calibSet, int& calibCorner, DPOINT mouse, bool insideImage);

// Right button up: lets go of whatever is held.
void CalibDragEnd(CALIBRATION& c, int& calibCorner);

// The cursor for a held part (None when nothing is held).
CalibDragCursor CalibDragCursorFor(const CALIBRATION& c, int calibCorner);
