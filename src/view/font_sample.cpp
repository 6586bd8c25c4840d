#include "view/font_sample.h"

#include "images/canvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

FontSample::FontSample(const QString& caption, std::function<LOGFONT()> font,
                       std::function<COLORREF()> colour, QWidget* parent)
    : QWidget(parent), m_font(std::move(font)), m_colour(std::move(colour)) {
    setAccessibleName(caption);
    setCursor(Qt::PointingHandCursor);
}

void FontSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setClipRect(rect());
    p.setPen(palette().windowText().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFont font = CanvasFont(m_font ? m_font() : LOGFONT{});
    const COLORREF c = m_colour ? m_colour() : 0;
    p.setFont(font);
    p.setPen(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    p.drawText(QPoint(2, 2 + QFontMetrics(font).ascent()), QStringLiteral("0123456789"));
}

void FontSample::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
