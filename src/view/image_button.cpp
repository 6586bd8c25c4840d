#include "view/image_button.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

ImageButton::ImageButton(int id, const QString& caption, QSize cellSize, QWidget* parent)
    : QAbstractButton(parent), m_id(id), m_cellSize(cellSize) {
    setAccessibleName(caption);
    setText(caption);
    setFocusPolicy(Qt::TabFocus);
}

void ImageButton::setSheet(const QImage* sheet, const QImage* sheet2x) {
    m_sheet = sheet;
    m_sheet2x = sheet2x;
    update();
}

void ImageButton::setCellOrigin(QPoint origin) {
    if (origin != m_origin) {
        m_origin = origin;
        update();
    }
}

void ImageButton::setGreenLamp(bool on) {
    if (on != m_green) {
        m_green = on;
        update();
    }
}

void ImageButton::setGreenLampSource(std::function<bool()> source) {
    m_greenSource = std::move(source);
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect target = rect();
    QPoint origin = m_origin;
    if (!isEnabled())
        origin.rx() += m_disabledOffset;
    const bool dense = m_sheet2x && !m_sheet2x->isNull() && devicePixelRatioF() > 1.0;
    if (dense) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, *m_sheet2x, QRect(origin * 2, m_cellSize * 2));
    } else if (m_sheet && !m_sheet->isNull()) {
        p.drawImage(target, *m_sheet, QRect(origin, m_cellSize));
    } else {
        // No sheet: a plain captioned button, so the window stays usable.
        p.fillRect(target, palette().button());
        p.setPen(palette().buttonText().color());
        p.drawRect(target.adjusted(0, 0, -1, -1));
        p.drawText(target, Qt::AlignCenter | Qt::TextWordWrap, text());
    }
    if (!m_lamps)
        return;
    // The lamp is the ellipse inscribed in (1, 41)-(12, 51) of the 50 x 53 cell.
    const double sx = target.width() / double(m_cellSize.width());
    const double sy = target.height() / double(m_cellSize.height());
    const QRectF lamp(1 * sx, 41 * sy, 11 * sx, 10 * sy);
    p.setPen(Qt::NoPen);
    if (isDown()) {
        p.setBrush(QColor(255, 0, 0));
        p.drawEllipse(lamp);
    }
    if (greenLamp()) {
        p.setBrush(QColor(0, 255, 0));
        p.drawEllipse(lamp);
    }
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint()))
        emit rightClicked();
    QAbstractButton::mouseReleaseEvent(event);
}
