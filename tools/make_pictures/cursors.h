// The program's own mouse cursors, 32 × 32 with transparency.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

struct CursorPicture {
  QString fileName;
  QImage image;
  QPoint hotSpot;
};

CursorPicture makeHandCursor();  // pointing hand
CursorPicture makeMoveCursor();  // four-way move arrow
CursorPicture makeRingCursor();  // thin ring
CursorPicture makeCrossCursor(); // thin cross
