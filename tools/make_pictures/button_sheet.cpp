#include "button_sheet.h"

#include "button_icons.h"
#include "face.h"
#include "look.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

struct Cell {
  int x, y;
  Icon icon;
  const char* english;
  const char* japanese;
};

// Row origins are 0, 53, 106, 159, 211, 264, 318: the program cuts its
// buttons at these, so they are not a regular step.
const Cell kCells[] = {
    {0, 0, Icon::Line, "LINE", "距離"},
    {50, 0, Icon::Aria, "ARIA", "面積"},
    {100, 0, Icon::Circle, "CIRCLE", "円"},
    {150, 0, Icon::Circle2, "CIRCLE2", "二円"},
    {0, 53, Icon::LiveRunning, "LIVE", "ライブ"},
    {50, 53, Icon::LiveFrozen, "LIVE", "ライブ"},
    {100, 53, Icon::Color, "COLOR", "色"},
    {150, 53, Icon::Calib, "CALIB", "校正"},
    {0, 106, Icon::Delete, "DELETE", "削除"},
    {100, 106, Icon::Csv, "CSV", "CSV"},
    {150, 106, Icon::Save, "SAVE", "保存"},
    {0, 159, Icon::Dir, "DIR", "保存先"},
    {50, 159, Icon::Set, "SET", "設定"},
    {100, 159, Icon::TypeOff, "TYPE", "書込"},
    {150, 159, Icon::TypeOn, "TYPE", "書込"},
    {0, 211, Icon::Thumb, "THUMB", "一覧"},
    {50, 211, Icon::Sui, "SUI", "垂線"},
    {100, 211, Icon::Angle, "ANGLE", "角度"},
    {0, 264, Icon::ScaleBar, "Scale", "スケール"},
    {50, 264, Icon::LoadResults, "CLEAR", "読込"},
    {100, 264, Icon::CrossLine, "Cross", "クロス"},
    {150, 264, Icon::Focus, "Focus", "ピント"},
    {0, 318, Icon::Grid, "Grid", "グリッド"},
    {50, 318, Icon::FocusArea, "WB", "WB"},
};

// The row at 264 is cut at 264 by the main window and at 265 by the
// display-settings dialog. Its face runs from 265 to 316 with a gap row
// above and below, so either cut shows a whole button.
constexpr int kTallRow = 264;

// Layout inside a cell, in 1x pixels.
constexpr int kIconLeft = (kCellWidth - kIconBox) / 2;
constexpr int kIconTop = 5;
// Captions sit between the icon and the lamp row (41 and below).
constexpr double kLatinCaptionCentreY = 35.5;
constexpr double kJapaneseCaptionCentreY = 35.0;
constexpr double kLatinCaptionWidth = 42.0;
constexpr double kJapaneseCaptionWidth = 43.0;
constexpr double kLatinPixelSize = 10.0;
constexpr double kJapanesePixelSize = 12.0;
// The program draws its lamp as the ellipse inscribed in (1, 41)–(12, 51).
constexpr double kLampCentreX = 6.5;
constexpr double kLampCentreY = 46.0;

bool isAscii(const QString& text) {
  for (QChar ch : text) {
    if (ch.unicode() > 0x7e) return false;
  }
  return true;
}

void drawFace(QPainter& p, int faceHeight, const look::FaceColours& c) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  look::drawFace(p, QRectF(1, 1, kCellWidth - 2, faceHeight), c, 3);
  p.restore();
}

void drawLampSocket(QPainter& p, double centreY, const look::FaceColours& c) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(c.socketRim, 1.0));
  p.setBrush(c.socketFill);
  p.drawEllipse(QPointF(kLampCentreX, centreY), 3.5, 3.5);
  p.restore();
}

// Captions are drawn untransformed at the sheet's own pixel size, so the
// glyphs are hinted for that size instead of being scaled outlines.
void drawCaption(QPainter& p, QPointF cellOrigin, int scale, const QString& text,
                 const CaptionFonts& fonts, const QColor& ink) {
  const bool latin = isAscii(text);
  QFont font(latin ? fonts.latin : fonts.japanese);
  font.setHintingPreference(QFont::PreferFullHinting);
  // At 1x the Japanese glyphs are clearer as whole pixels than smoothed.
  font.setStyleStrategy(!latin && scale == 1 ? QFont::NoAntialias : QFont::PreferAntialias);
  double size = (latin ? kLatinPixelSize : kJapanesePixelSize) * scale;
  font.setPixelSize(static_cast<int>(size));
  if (latin) font.setBold(true);
  const double room = (latin ? kLatinCaptionWidth : kJapaneseCaptionWidth) * scale;
  // Japanese glyphs carry wide side bearings: close them up before shrinking.
  if (!latin && QFontMetricsF(font).horizontalAdvance(text) > room) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, -1.0 * scale);
  }
  while (QFontMetricsF(font).horizontalAdvance(text) > room && size > 6 * scale) {
    size -= 1;
    font.setPixelSize(static_cast<int>(size));
  }
  const QFontMetricsF fm(font);
  // One baseline per script, so captions line up across the sheet.
  const QRectF reference = fm.tightBoundingRect(QStringLiteral("国"));
  const double glyphTop = latin ? -fm.capHeight() : reference.top();
  const double glyphBottom = latin ? 0.0 : reference.bottom();
  const double centreY = latin ? kLatinCaptionCentreY : kJapaneseCaptionCentreY;
  const QRectF tight = fm.tightBoundingRect(text);
  const double x = std::round(cellOrigin.x() + (kCellWidth * scale - tight.width()) / 2.0 - tight.left());
  const double baseline = std::round(cellOrigin.y() + centreY * scale - (glyphTop + glyphBottom) / 2.0);
  p.save();
  p.setFont(font);
  p.setPen(ink);
  p.drawText(QPointF(x, baseline), text);
  p.restore();
}

void drawCell(QPainter& p, const Cell& cell, int originX, int scale, Language language,
              const CaptionFonts& fonts, const look::FaceColours& colours) {
  const bool tall = cell.y == kTallRow;
  const int faceHeight = tall ? kCellHeight - 1 : kCellHeight - 2;
  p.save();
  p.translate(originX * scale, cell.y * scale);
  p.scale(scale, scale);
  drawFace(p, faceHeight, colours);
  drawLampSocket(p, tall ? kLampCentreY + 0.5 : kLampCentreY, colours);
  p.translate(kIconLeft, kIconTop);
  drawIcon(p, cell.icon, colours);
  p.restore();

  const QString caption = QString::fromUtf8(language == Language::English ? cell.english : cell.japanese);
  drawCaption(p, QPointF(originX * scale, cell.y * scale), scale, caption, fonts, colours.ink);
}

} // namespace

QImage makeButtonSheet(Language language, int scale, const CaptionFonts& fonts) {
  QImage sheet(kSheetWidth * scale, kSheetHeight * scale, QImage::Format_RGB32);
  sheet.fill(look::panel());
  QPainter p(&sheet);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  for (const Cell& cell : kCells) {
    drawCell(p, cell, cell.x, scale, language, fonts, look::enabledFace());
    drawCell(p, cell, cell.x + kDisabledOffset, scale, language, fonts, look::disabledFace());
  }
  p.end();
  return sheet;
}
