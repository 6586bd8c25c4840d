#include "app/window_placement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void PlaceNearCursor(QWidget& window, QPoint offset) {
    const QPoint mouse = QCursor::pos();
    QPoint at = mouse + offset;
    if (const QScreen* screen = QGuiApplication::screenAt(mouse)) {
        const QRect room = screen->availableGeometry();
        const QSize size = window.frameGeometry().size();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    window.move(at);
}
