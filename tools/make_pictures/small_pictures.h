// The window background tile, the panel-toggle arrows, the edge-snap button
// icon and the program icon.
#pragma once

#include <QImage>

QImage makeBackgroundTile();  // 200 × 200, tiles seamlessly
QImage makePanelArrows();     // 52 × 13: right, left, down, up
QImage makeEdgeSnapIcon();    // 16 × 16
QImage makeProgramIcon(int size); // size × size, with alpha
