#include "button_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace {

// Small drawing vocabulary shared by the icons.
class Pen {
public:
  Pen(QPainter& p, const look::FaceColours& c) : p_(p), c_(c) {}

  QColor ink() const { return c_.ink; }
  QColor accent() const { return c_.accent; }
  QColor face() const { return c_.bottom; }

  void stroke(const QColor& colour, double width = 1.0, Qt::PenCapStyle cap = Qt::FlatCap) {
    QPen pen(colour, width, Qt::SolidLine, cap, Qt::MiterJoin);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
  }
  void line(double x1, double y1, double x2, double y2) { p_.drawLine(QPointF(x1, y1), QPointF(x2, y2)); }
  void polyline(std::initializer_list<QPointF> pts) { p_.drawPolyline(QPolygonF(pts)); }
  void polygon(std::initializer_list<QPointF> pts) { p_.drawPolygon(QPolygonF(pts)); }
  void rect(double x, double y, double w, double h) { p_.drawRect(QRectF(x, y, w, h)); }
  void circle(double cx, double cy, double r) { p_.drawEllipse(QPointF(cx, cy), r, r); }
  void fillRect(double x, double y, double w, double h, const QColor& colour) {
    p_.fillRect(QRectF(x, y, w, h), colour);
  }
  void dot(double cx, double cy, double r, const QColor& colour) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(colour);
    p_.drawEllipse(QPointF(cx, cy), r, r);
    p_.setBrush(Qt::NoBrush);
  }
  void fillPath(const QPainterPath& path, const QColor& colour) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(colour);
    p_.drawPath(path);
    p_.setBrush(Qt::NoBrush);
  }
  void strokePath(const QPainterPath& path) { p_.drawPath(path); }
  QPainter& painter() { return p_; }

private:
  QPainter& p_;
  const look::FaceColours& c_;
};

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// A segment with short ticks across both ends, as the overlay draws a LINE.
void tickedSegment(Pen& d, QPointF a, QPointF b, double tick) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double len = std::hypot(dx, dy);
  const double nx = -dy / len * tick, ny = dx / len * tick;
  d.line(a.x(), a.y(), b.x(), b.y());
  d.line(a.x() - nx, a.y() - ny, a.x() + nx, a.y() + ny);
  d.line(b.x() - nx, b.y() - ny, b.x() + nx, b.y() + ny);
}

void arrowHead(Pen& d, QPointF tip, double dirX, double dirY, double size, const QColor& colour) {
  const double len = std::hypot(dirX, dirY);
  const double ux = dirX / len, uy = dirY / len;
  const QPointF back(tip.x() - ux * size, tip.y() - uy * size);
  const QPointF side(-uy * size * 0.6, ux * size * 0.6);
  QPainterPath head;
  head.moveTo(tip);
  head.lineTo(back + side);
  head.lineTo(back - side);
  head.closeSubpath();
  d.fillPath(head, colour);
}

void drawLine(Pen& d) {
  d.stroke(d.ink());
  tickedSegment(d, {4.5, 18.5}, {19.5, 5.5}, 3.2);
  d.dot(4.5, 18.5, 1.7, d.accent());
  d.dot(19.5, 5.5, 1.7, d.accent());
}

void drawAria(Pen& d) {
  const QPolygonF shape({{4.5, 16.5}, {7.5, 5.5}, {16.5, 3.5}, {21.5, 11.5}, {14.5, 20.5}});
  QPainterPath path;
  path.addPolygon(shape);
  path.closeSubpath();
  d.fillPath(path, withAlpha(d.accent(), 70));
  d.stroke(d.ink());
  d.strokePath(path);
  for (const QPointF& pt : shape) d.dot(pt.x(), pt.y(), 1.5, d.accent());
}

void drawCircle(Pen& d) {
  d.stroke(d.ink());
  d.circle(12.5, 12.5, 8.5);
  d.line(10.5, 12.5, 14.5, 12.5);
  d.line(12.5, 10.5, 12.5, 14.5);
  for (double deg : {205.0, 335.0, 90.0}) {
    const double a = deg * std::numbers::pi / 180.0;
    d.dot(12.5 + 8.5 * std::cos(a), 12.5 - 8.5 * std::sin(a), 1.7, d.accent());
  }
}

void drawCircle2(Pen& d) {
  d.stroke(d.ink());
  d.circle(7, 14, 5.5);
  d.circle(18, 9.5, 4.5);
  d.stroke(d.accent());
  d.line(7, 14, 18, 9.5);
  d.dot(7, 14, 1.5, d.accent());
  d.dot(18, 9.5, 1.5, d.accent());
}

void camera(Pen& d) {
  d.stroke(d.ink());
  QPainterPath body;
  body.addRoundedRect(QRectF(2.5, 6.5, 14, 11), 2, 2);
  d.strokePath(body);
  d.polygon({{16.5, 10.5}, {21.5, 7.5}, {21.5, 16.5}, {16.5, 13.5}});
}

void drawLiveRunning(Pen& d) {
  camera(d);
  QPainterPath play;
  play.moveTo(7.5, 9);
  play.lineTo(13, 12);
  play.lineTo(7.5, 15);
  play.closeSubpath();
  d.fillPath(play, d.accent());
}

void drawLiveFrozen(Pen& d) {
  camera(d);
  d.fillRect(7, 9, 2, 6, d.ink());
  d.fillRect(11, 9, 2, 6, d.ink());
}

void drawColor(Pen& d) {
  QPainterPath palette;
  palette.addEllipse(QRectF(2.5, 4.5, 19, 15));
  QPainterPath notch;
  notch.addEllipse(QPointF(18.5, 16.5), 3.5, 3.5);
  palette = palette.subtracted(notch);
  d.stroke(d.ink());
  d.strokePath(palette);
  d.circle(14.5, 14.5, 1.5);
  d.dot(7.5, 10.5, 1.8, d.accent());
  d.dot(11.5, 7.5, 1.6, d.ink());
  d.dot(16.5, 8.5, 1.6, d.ink());
  d.dot(8.5, 15, 1.6, d.ink());
}

void drawCalib(Pen& d) {
  d.stroke(d.ink());
  d.rect(2.5, 11.5, 19, 8);
  for (int k = 0; k <= 8; ++k) {
    const double x = 4.5 + 2 * k;
    if (x > 20) break;
    d.line(x, 11.5, x, (k % 2 == 0) ? 15.5 : 13.5);
  }
  d.stroke(d.accent());
  d.line(4.5, 6.5, 19.5, 6.5);
  d.line(4.5, 4, 4.5, 9);
  d.line(19.5, 4, 19.5, 9);
}

void drawDelete(Pen& d) {
  d.stroke(d.ink());
  d.polygon({{6.5, 7.5}, {7.5, 20.5}, {16.5, 20.5}, {17.5, 7.5}});
  d.line(9.5, 10, 10, 18);
  d.line(14.5, 10, 14, 18);
  d.line(12, 10, 12, 18);
  d.stroke(d.accent());
  d.line(4, 5.5, 20, 5.5);
  d.polyline({{9.5, 5.5}, {9.5, 3.5}, {14.5, 3.5}, {14.5, 5.5}});
}

void drawCsv(Pen& d) {
  d.fillRect(3, 5, 18, 4, withAlpha(d.accent(), 150));
  d.stroke(d.ink());
  d.rect(3.5, 5.5, 17, 14);
  d.line(3.5, 9.5, 20.5, 9.5);
  d.line(3.5, 14.5, 20.5, 14.5);
  d.line(9.5, 5.5, 9.5, 19.5);
  d.line(14.5, 5.5, 14.5, 19.5);
}

void drawSave(Pen& d) {
  d.stroke(d.ink());
  d.polygon({{4.5, 3.5}, {17, 3.5}, {20.5, 7}, {20.5, 20.5}, {4.5, 20.5}});
  d.rect(8.5, 3.5, 7, 5);
  d.fillRect(13, 5, 1, 2, d.ink());
  d.stroke(d.accent());
  d.rect(7.5, 12.5, 10, 8);
  d.line(9.5, 15.5, 15.5, 15.5);
  d.line(9.5, 17.5, 15.5, 17.5);
}

void drawDir(Pen& d) {
  d.stroke(d.ink());
  d.polygon({{3.5, 18.5}, {3.5, 5.5}, {9.5, 5.5}, {11.5, 7.5}, {20.5, 7.5}, {20.5, 18.5}});
  QPainterPath front;
  front.moveTo(3.5, 18.5);
  front.lineTo(5.5, 10.5);
  front.lineTo(22.5, 10.5);
  front.lineTo(20.5, 18.5);
  front.closeSubpath();
  d.fillPath(front, d.face());
  d.fillPath(front, withAlpha(d.accent(), 70));
  d.stroke(d.accent());
  d.strokePath(front);
}

void drawSet(Pen& d) {
  // A solid gear reads better at this size than an outlined one.
  const int teeth = 8;
  const double rOut = 9.5, rIn = 7.2;
  const QPointF centre(12.5, 12.5);
  QPainterPath gear;
  for (int i = 0; i < teeth; ++i) {
    const double step = 2 * std::numbers::pi / teeth;
    const double base = step * i;
    const double angles[4] = {base - step * 0.30, base - step * 0.16, base + step * 0.16, base + step * 0.30};
    const double radii[4] = {rIn, rOut, rOut, rIn};
    for (int k = 0; k < 4; ++k) {
      const QPointF pt = centre + QPointF(radii[k] * std::cos(angles[k]), radii[k] * std::sin(angles[k]));
      if (i == 0 && k == 0) gear.moveTo(pt);
      else gear.lineTo(pt);
    }
  }
  gear.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(centre, 3.5, 3.5);
  d.fillPath(gear.subtracted(hole), d.ink());
  d.dot(centre.x(), centre.y(), 1.6, d.accent());
}

void picture(Pen& d) {
  d.stroke(d.ink());
  d.rect(2.5, 4.5, 19, 15);
  d.polyline({{3, 18.5}, {8, 13.5}, {11, 16.5}, {15, 12.5}, {21, 18}});
  d.circle(6.5, 8.5, 1.5);
}

void drawTypeOff(Pen& d) { picture(d); }

void drawTypeOn(Pen& d) {
  picture(d);
  // The measurement drawn into the picture itself.
  d.stroke(d.accent());
  tickedSegment(d, {10.5, 9.5}, {18.5, 9.5}, 2.0);
}

void drawThumb(Pen& d) {
  d.stroke(d.ink());
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 3; ++col) {
      const double x = 3 + col * 6.5, y = 6 + row * 7;
      if (row == 0 && col == 0) d.fillRect(x, y, 5, 5, d.accent());
      else d.rect(x + 0.5, y + 0.5, 4, 4);
    }
  }
  d.line(3, 20.5, 21, 20.5);
}

void drawSui(Pen& d) {
  d.stroke(d.ink());
  d.line(2.5, 19.5, 21.5, 19.5);
  d.rect(12.5, 15.5, 4, 4);
  d.dot(4, 19.5, 1.5, d.ink());
  d.dot(20, 19.5, 1.5, d.ink());
  d.stroke(d.accent());
  d.line(12.5, 5, 12.5, 19.5);
  d.dot(12.5, 5, 1.8, d.accent());
}

void drawAngle(Pen& d) {
  d.stroke(d.ink());
  d.line(4.5, 19.5, 21.5, 19.5);
  d.line(4.5, 19.5, 15, 4);
  d.stroke(d.accent());
  const double r = 10;
  const double deg = std::atan2(15.5, 10.5) * 180.0 / std::numbers::pi;
  d.painter().drawArc(QRectF(4.5 - r, 19.5 - r, 2 * r, 2 * r), 0, static_cast<int>(deg * 16));
  d.dot(4.5, 19.5, 1.7, d.accent());
}

void drawScaleBar(Pen& d) {
  d.stroke(d.ink());
  d.rect(3.5, 12.5, 17, 3);
  d.fillRect(3, 12, 6, 4, d.ink());
  d.fillRect(15, 12, 6, 4, d.ink());
  d.fillRect(9, 13, 6, 2, d.accent());
  d.line(3.5, 7, 3.5, 12);
  d.line(12, 9, 12, 12);
  d.line(20.5, 7, 20.5, 12);
  d.line(3, 19.5, 21, 19.5);
}

void drawLoadResults(Pen& d) {
  // A result file with an arrow bringing it in.
  d.stroke(d.ink());
  d.polygon({{4.5, 2.5}, {14, 2.5}, {19.5, 8}, {19.5, 21.5}, {4.5, 21.5}});
  d.polyline({{14, 2.5}, {14, 8}, {19.5, 8}});
  d.stroke(d.accent(), 1.6);
  d.line(12, 7.5, 12, 14);
  arrowHead(d, {12, 18.5}, 0, 1, 5.0, d.accent());
}

void drawCrossLine(Pen& d) {
  d.stroke(d.ink());
  d.line(12.5, 2, 12.5, 8.5);
  d.line(12.5, 16.5, 12.5, 23);
  d.line(2, 12.5, 8.5, 12.5);
  d.line(16.5, 12.5, 23, 12.5);
  for (double t : {5.5, 19.5}) {
    d.line(t, 11, t, 14);
    d.line(11, t, 14, t);
  }
  d.stroke(d.accent());
  d.circle(12.5, 12.5, 3.5);
  d.dot(12.5, 12.5, 1.0, d.accent());
}

void drawFocus(Pen& d) {
  d.stroke(d.ink());
  d.line(2, 20.5, 22, 20.5);
  QPainterPath curve;
  for (int i = 0; i <= 40; ++i) {
    const double x = 2 + i * 0.5;
    const double t = (x - 12) / 3.6;
    const double y = 19.5 - 14.5 * std::exp(-0.5 * t * t);
    if (i == 0) curve.moveTo(x, y);
    else curve.lineTo(x, y);
  }
  d.painter().setPen(QPen(d.accent(), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  d.strokePath(curve);
  d.stroke(withAlpha(d.ink(), 150));
  d.line(12.5, 8, 12.5, 20);
}

void drawGrid(Pen& d) {
  d.stroke(d.ink());
  d.rect(3.5, 3.5, 17, 17);
  d.stroke(withAlpha(d.ink(), 170));
  for (double v : {9.5, 14.5}) {
    d.line(v, 4, v, 20);
    d.line(4, v, 20, v);
  }
  d.dot(9.5, 9.5, 1.5, d.accent());
}

void drawFocusArea(Pen& d) {
  QPen dashed(d.ink(), 1.0, Qt::CustomDashLine, Qt::FlatCap);
  dashed.setDashPattern({2.0, 2.0});
  d.painter().setPen(dashed);
  d.line(6, 5.5, 18, 5.5);
  d.line(6, 19.5, 18, 19.5);
  d.line(3.5, 8, 3.5, 17);
  d.line(19.5, 8, 19.5, 17);
  for (double x : {2.0, 18.0}) {
    for (double y : {4.0, 18.0}) d.fillRect(x, y, 3, 3, d.accent());
  }
  d.stroke(d.ink());
  d.line(11.5, 10, 11.5, 15);
  d.line(9, 12.5, 14, 12.5);
}

} // namespace

void drawIcon(QPainter& p, Icon icon, const look::FaceColours& colours) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  Pen d(p, colours);
  switch (icon) {
  case Icon::Line: drawLine(d); break;
  case Icon::Aria: drawAria(d); break;
  case Icon::Circle: drawCircle(d); break;
  case Icon::Circle2: drawCircle2(d); break;
  case Icon::LiveRunning: drawLiveRunning(d); break;
  case Icon::LiveFrozen: drawLiveFrozen(d); break;
  case Icon::Color: drawColor(d); break;
  case Icon::Calib: drawCalib(d); break;
  case Icon::Delete: drawDelete(d); break;
  case Icon::Csv: drawCsv(d); break;
  case Icon::Save: drawSave(d); break;
  case Icon::Dir: drawDir(d); break;
  case Icon::Set: drawSet(d); break;
  case Icon::TypeOff: drawTypeOff(d); break;
  case Icon::TypeOn: drawTypeOn(d); break;
  case Icon::Thumb: drawThumb(d); break;
  case Icon::Sui: drawSui(d); break;
  case Icon::Angle: drawAngle(d); break;
  case Icon::ScaleBar: drawScaleBar(d); break;
  case Icon::LoadResults: drawLoadResults(d); break;
  case Icon::CrossLine: drawCrossLine(d); break;
  case Icon::Focus: drawFocus(d); break;
  case Icon::Grid: drawGrid(d); break;
  case Icon::FocusArea: drawFocusArea(d); break;
  }
  p.restore();
}
