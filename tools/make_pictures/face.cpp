#include "face.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace look {

void drawFace(QPainter& p, QRectF face, const FaceColours& c, qreal radius) {
  QLinearGradient fill(0, face.top(), 0, face.bottom());
  fill.setColorAt(0.0, c.top);
  fill.setColorAt(1.0, c.bottom);
  QPainterPath outline;
  outline.addRoundedRect(face, radius, radius);
  p.fillPath(outline, fill);

  QLinearGradient rim(0, face.top(), 0, face.bottom());
  rim.setColorAt(0.0, c.rimTop);
  rim.setColorAt(1.0, c.rimBottom);
  p.setPen(QPen(QBrush(rim), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
}

} // namespace look
