#pragma once
#include <QPoint>

class QWidget;

// Moves a window so that its top-left corner lies `offset` from the mouse, kept on the
// screen the mouse is on. The feature windows open this way near where the operator works.
void PlaceNearCursor(QWidget& window, QPoint offset);
