// The raised face every button-like picture is drawn on.
#pragma once

#include "look.h"

#include <QRectF>

class QPainter;

namespace look {

// A rounded face with a top-to-bottom gradient and a 1-pixel highlight rim
// (the rim's corners half a pixel tighter). Render hints are the caller's.
void drawFace(QPainter& p, QRectF face, const FaceColours& c, qreal radius);

} // namespace look
