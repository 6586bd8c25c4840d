#include "cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace {

constexpr int kSize = 32;
// Centre of pixel (15, 15), the hot spot of the symmetric cursors.
constexpr double kMid = 15.5;

const QColor kDark(16, 16, 16);
const QColor kLight(250, 250, 250);

QImage blank() {
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A shape filled light with a dark outline, the usual look of a desktop
// pointer: it shows on light and dark pictures alike.
void outlinedShape(QPainter& p, const QPainterPath& shape) {
  p.setPen(QPen(kDark, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(kLight);
  p.drawPath(shape);
}

// A thin dark line with a light halo either side, for the precise cursors.
void haloLines(QPainter& p, const QPainterPath& lines) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kLight, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(lines);
  p.setPen(QPen(kDark, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawPath(lines);
}

void centreDot(QPainter& p) {
  p.fillRect(QRectF(kMid - 1.5, kMid - 1.5, 3, 3), kLight);
  p.fillRect(QRectF(kMid - 0.5, kMid - 0.5, 1, 1), kDark);
}

QPainterPath roundedBar(double x, double y, double w, double h) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, w, h), w / 2, w / 2);
  return path;
}

} // namespace

CursorPicture makeHandCursor() {
  QImage image = blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  // Index finger up, three fingers folded, thumb to the left.
  QPainterPath hand = roundedBar(10.5, 1.5, 4, 16);
  hand = hand.united(roundedBar(14.5, 9.5, 4, 9));
  hand = hand.united(roundedBar(18.5, 10.5, 4, 8));
  hand = hand.united(roundedBar(22.5, 12.5, 3.5, 7));
  QPainterPath palm;
  palm.addRoundedRect(QRectF(10.5, 14.5, 15.5, 13), 4, 4);
  hand = hand.united(palm);
  QPainterPath thumb;
  thumb.moveTo(11, 19);
  thumb.lineTo(6.5, 14.5);
  thumb.cubicTo(5, 13, 3, 15, 4.5, 17);
  thumb.lineTo(11, 26);
  thumb.closeSubpath();
  hand = hand.united(thumb).simplified();
  outlinedShape(p, hand);
  p.setPen(QPen(kDark, 1.0));
  p.drawLine(QPointF(14.5, 12.5), QPointF(14.5, 16));
  p.drawLine(QPointF(18.5, 12.5), QPointF(18.5, 16.5));
  p.drawLine(QPointF(22.5, 14.5), QPointF(22.5, 17));
  p.end();
  return {QStringLiteral("cursor_hand.png"), image, QPoint(12, 1)};
}

CursorPicture makeMoveCursor() {
  QImage image = blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  // One arm pointing up, turned four times about the centre, traced as a
  // single outline so no seams show inside the shafts.
  // Edges on half pixels keep the outline one crisp pixel wide.
  const double shaft = 2.0, head = 5.0, headLength = 7.0, reach = 13.0;
  const QPointF arm[6] = {{-shaft, -shaft},
                          {-shaft, -reach + headLength},
                          {-head, -reach + headLength},
                          {0, -reach},
                          {head, -reach + headLength},
                          {shaft, -reach + headLength}};
  QPolygonF outline;
  for (int i = 0; i < 4; ++i) {
    QTransform turn;
    turn.translate(kMid, kMid);
    turn.rotate(90.0 * i);
    for (const QPointF& pt : arm) outline << turn.map(pt);
  }
  QPainterPath shape;
  shape.addPolygon(outline);
  shape.closeSubpath();
  outlinedShape(p, shape);
  p.end();
  return {QStringLiteral("cursor_move.png"), image, QPoint(15, 15)};
}

CursorPicture makeRingCursor() {
  QImage image = blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath ring;
  ring.addEllipse(QPointF(kMid, kMid), 13.5, 13.5);
  haloLines(p, ring);
  centreDot(p);
  p.end();
  return {QStringLiteral("cursor_ring.png"), image, QPoint(15, 15)};
}

CursorPicture makeCrossCursor() {
  QImage image = blank();
  QPainter p(&image);
  // Whole pixels only, so the cross stays exactly one pixel thin.
  constexpr int c = 15, gap = 4, reach = 14;
  const QRect arms[4] = {QRect(c - reach, c, reach - gap + 1, 1), QRect(c + gap, c, reach - gap + 1, 1),
                         QRect(c, c - reach, 1, reach - gap + 1), QRect(c, c + gap, 1, reach - gap + 1)};
  for (const QRect& arm : arms) p.fillRect(arm.adjusted(-1, -1, 1, 1), kLight);
  for (const QRect& arm : arms) p.fillRect(arm, kDark);
  centreDot(p);
  p.end();
  return {QStringLiteral("cursor_cross.png"), image, QPoint(c, c)};
}
