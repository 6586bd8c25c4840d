#include "small_pictures.h"

#include "face.h"
#include "look.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// Integer hash: the same noise on every machine and every run.
std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return h;
}

double unitNoise(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  return (hash(x, y, seed) & 0xffffu) / 65535.0 * 2.0 - 1.0;
}

// Value noise on a lattice that wraps at `cells`, so the tile has no seams.
double wrappedNoise(double x, double y, int cellSize, int cells, std::uint32_t seed) {
  const double fx = x / cellSize, fy = y / cellSize;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const double tx = fx - x0, ty = fy - y0;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  auto at = [&](int i, int j) {
    return unitNoise(static_cast<std::uint32_t>(((i % cells) + cells) % cells),
                     static_cast<std::uint32_t>(((j % cells) + cells) % cells), seed);
  };
  const double top = at(x0, y0) * (1 - sx) + at(x0 + 1, y0) * sx;
  const double bottom = at(x0, y0 + 1) * (1 - sx) + at(x0 + 1, y0 + 1) * sx;
  return top * (1 - sy) + bottom * sy;
}

int clampByte(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

void drawSmallFace(QPainter& p, QRectF face, const look::FaceColours& c) {
  look::drawFace(p, face, c, 2);
}

} // namespace

QImage makeBackgroundTile() {
  constexpr int kSize = 200;
  QImage tile(kSize, kSize, QImage::Format_RGB32);
  const QColor base = look::backgroundBase();
  for (int y = 0; y < kSize; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(tile.scanLine(y));
    for (int x = 0; x < kSize; ++x) {
      // Broad, soft clouds, a finer weave and a faint grain: a calm, matt panel.
      double shade = 2.2 * wrappedNoise(x, y, 50, kSize / 50, 11) +
                     1.0 * wrappedNoise(x, y, 10, kSize / 10, 23) +
                     0.8 * unitNoise(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 37);
      // A faint dot every 20 pixels, like the pitch of an instrument panel.
      if (x % 20 == 10 && y % 20 == 10) shade += 5.0;
      row[x] = qRgb(clampByte(base.red() + shade), clampByte(base.green() + shade * 1.05),
                    clampByte(base.blue() + shade * 1.15));
    }
  }
  return tile;
}

QImage makePanelArrows() {
  constexpr int kCell = 13;
  QImage arrows(4 * kCell, kCell, QImage::Format_RGB32);
  arrows.fill(look::panel());
  QPainter p(&arrows);
  p.setRenderHint(QPainter::Antialiasing, true);
  const look::FaceColours c = look::enabledFace();
  for (int i = 0; i < 4; ++i) drawSmallFace(p, QRectF(i * kCell, 0, kCell, kCell), c);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Pixel-exact triangles, 7 pixels across the base and 4 deep, pointing the
  // way the panel goes when clicked: right, left, down, up.
  for (int step = 0; step < 4; ++step) {
    const int half = 3 - step;
    p.fillRect(QRect(0 * kCell + 5 + step, 6 - half, 1, 2 * half + 1), c.ink);
    p.fillRect(QRect(1 * kCell + 7 - step, 6 - half, 1, 2 * half + 1), c.ink);
    p.fillRect(QRect(2 * kCell + 6 - half, 5 + step, 2 * half + 1, 1), c.ink);
    p.fillRect(QRect(3 * kCell + 6 - half, 7 - step, 2 * half + 1, 1), c.ink);
  }
  p.end();
  return arrows;
}

QImage makeEdgeSnapIcon() {
  constexpr int kSize = 16;
  QImage icon(kSize, kSize, QImage::Format_RGB32);
  icon.fill(look::panel());
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing, true);
  const look::FaceColours c = look::enabledFace();
  drawSmallFace(p, QRectF(0, 0, kSize, kSize), c);
  // A horseshoe magnet over an edge, the snapped point lit on the edge.
  QPainterPath magnet;
  magnet.moveTo(4.5, 9);
  magnet.lineTo(4.5, 6.5);
  magnet.arcTo(QRectF(4.5, 3, 7, 7), 180, -180);
  magnet.lineTo(11.5, 9);
  p.setPen(QPen(c.ink, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.drawPath(magnet);
  p.fillRect(QRectF(3.5, 9, 2, 2), c.accent);
  p.fillRect(QRectF(10.5, 9, 2, 2), c.accent);
  p.setPen(QPen(c.ink, 1.0));
  p.drawLine(QPointF(2, 13.5), QPointF(14, 13.5));
  p.setPen(Qt::NoPen);
  p.setBrush(c.accent);
  p.drawEllipse(QPointF(8, 13.5), 1.6, 1.6);
  p.end();
  return icon;
}

QImage makeProgramIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(size / 256.0, size / 256.0);
  // Small icons get bolder lines so the measurement still reads.
  const double bold = size < 64 ? 2.2 : 1.0;
  const look::FaceColours c = look::enabledFace();

  // Badge.
  const QRectF badge(8, 8, 240, 240);
  QLinearGradient badgeFill(0, badge.top(), 0, badge.bottom());
  badgeFill.setColorAt(0.0, c.top);
  badgeFill.setColorAt(1.0, QColor(22, 28, 35));
  QPainterPath badgePath;
  badgePath.addRoundedRect(badge, 48, 48);
  p.fillPath(badgePath, badgeFill);
  QLinearGradient rim(0, badge.top(), 0, badge.bottom());
  rim.setColorAt(0.0, c.rimTop);
  rim.setColorAt(1.0, c.rimBottom);
  p.setPen(QPen(QBrush(rim), 4.0));
  p.drawRoundedRect(badge.adjusted(2, 2, -2, -2), 46, 46);

  // Eyepiece tube and the lit field of view.
  const QPointF centre(128, 128);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(10, 14, 19));
  p.drawEllipse(centre, 98, 98);
  QRadialGradient field(centre, 88, QPointF(112, 108));
  field.setColorAt(0.0, QColor(30, 74, 86));
  field.setColorAt(0.75, QColor(16, 42, 52));
  field.setColorAt(1.0, QColor(9, 24, 31));
  p.setBrush(field);
  p.drawEllipse(centre, 88, 88);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(120, 138, 156), 3.0 * std::min(bold, 1.5)));
  p.drawEllipse(centre, 91, 91);

  // Specimen: a cell with its nucleus.
  p.save();
  p.translate(centre);
  p.rotate(-28);
  QPainterPath cell;
  cell.addEllipse(QPointF(0, 4), 60, 38);
  QColor glow = c.accent;
  glow.setAlpha(60);
  p.setBrush(glow);
  p.setPen(QPen(c.accent, 4.0 * bold));
  p.drawPath(cell);
  QColor nucleus = c.accent;
  nucleus.setAlpha(150);
  p.setPen(Qt::NoPen);
  p.setBrush(nucleus);
  p.drawEllipse(QPointF(18, -2), 16, 13);
  p.restore();

  // Reticle ticks along the lower edge of the field.
  if (size >= 64) {
    p.setPen(QPen(QColor(232, 238, 244, 150), 2.0, Qt::SolidLine, Qt::FlatCap));
    for (int k = -6; k <= 6; ++k) {
      const double x = 128 + k * 10;
      const double len = (k % 5 == 0) ? 14 : 8;
      p.drawLine(QPointF(x, 196), QPointF(x, 196 - len));
    }
    p.drawLine(QPointF(68, 196), QPointF(188, 196));
  }

  // The measurement across the specimen, with end ticks as the program draws it.
  const QPointF a(72, 170), b(184, 86);
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double len = std::hypot(dx, dy);
  const double tick = 14 * std::min(bold, 1.4);
  const QPointF n(-dy / len * tick, dx / len * tick);
  p.setPen(QPen(QColor(244, 248, 252), 5.0 * bold, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(a, b);
  p.drawLine(a - n, a + n);
  p.drawLine(b - n, b + n);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 181, 71));
  const double dot = 7 * std::min(bold, 1.5);
  p.drawEllipse(a, dot, dot);
  p.drawEllipse(b, dot, dot);
  p.end();
  return icon;
}
