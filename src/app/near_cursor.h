#pragma once
#include <QPoint>

class QWidget;

// Moves a window without resizing it so that its top-left corner lies `offset` from the
// mouse cursor (up and left for negative values), kept on the cursor's screen so that
// it never opens out of reach.
void MoveNearCursor(QWidget& window, QPoint offset);
