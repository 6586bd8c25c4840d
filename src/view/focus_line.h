#pragma once
#include "model/dpoint.h"

struct ColorSettings;
class FocusProfile;

// The display settings' Focus button: the line on or off, the peak hold cleared.
void ToggleFocusLine(ColorSettings& color, FocusProfile& profile);

// Moving the focus line with the right button. Reach: rows within this many image
// pixels of the line catch it.
constexpr int kFocusLineReach = 10;
// Button down: with the line on and the mouse within reach, holds it (focusflg 2) and
// returns CursorCode::SizeVertical; 0 otherwise.
int FocusLinePress(ColorSettings& color, const DPOINT& mouse);
// Move while held, inside the picture: the line takes the mouse's image row. True when
// it is held (keep the resize cursor, repaint).
bool FocusLineMove(ColorSettings& color, const DPOINT& mouse, bool insidePicture);
// Button up: a held line is let go (focusflg 1). A line that is off stays off.
void FocusLineRelease(ColorSettings& color);
