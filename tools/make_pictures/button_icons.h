// Line icons of the button sheet, one per button function.
#pragma once

#include "look.h"

class QPainter;

enum class Icon {
  Line, Aria, Circle, Circle2,
  LiveRunning, LiveFrozen, Color, Calib,
  Delete, Csv, Save,
  Dir, Set, TypeOff, TypeOn,
  Thumb, Sui, Angle,
  ScaleBar, LoadResults, CrossLine, Focus,
  Grid, FocusArea,
};

// Size of the square an icon is drawn in, in sheet pixels at 1x.
constexpr int kIconBox = 24;

// Draws one icon into the box (0, 0)–(kIconBox, kIconBox) of the painter's
// current coordinates. Lines are 1 unit wide and sit on half units, so they
// stay crisp at 1x and at 2x.
void drawIcon(QPainter& p, Icon icon, const look::FaceColours& colours);
