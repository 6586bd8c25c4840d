#include "app/near_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void MoveNearCursor(QWidget& window, QPoint offset) {
    const QPoint cursor = QCursor::pos();
    QPoint at = cursor + offset;
    if (const QScreen* screen = QGuiApplication::screenAt(cursor)) {
        const QRect area = screen->availableGeometry();
        const QSize size = window.frameGeometry().size();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    window.move(at);
}
