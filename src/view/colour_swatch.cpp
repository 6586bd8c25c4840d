#include "view/colour_swatch.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

ColourSwatch::ColourSwatch(const QString& caption, std::function<COLORREF()> colour, QWidget* parent)
    : QWidget(parent), m_colour(std::move(colour)) {
    setAccessibleName(caption);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const COLORREF c = m_colour ? m_colour() : 0;
    p.fillRect(rect(), QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    p.setPen(palette().windowText().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
