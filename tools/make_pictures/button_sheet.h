// The button sheet: every owner-drawn button of the main window and the
// display-settings dialog as one 50 × 53 cell, with its disabled twin
// 200 pixels to the right.
#pragma once

#include <QImage>
#include <QString>

enum class Language { English, Japanese };

struct CaptionFonts {
  QString latin;    // family for Latin captions
  QString japanese; // family for Japanese captions
};

constexpr int kSheetWidth = 400;
constexpr int kSheetHeight = 371;
constexpr int kCellWidth = 50;
constexpr int kCellHeight = 53;
constexpr int kDisabledOffset = 200;

// Draws the sheet at `scale` (1 or 2): every length is multiplied by it, so
// the 2x sheet is drawn finely rather than enlarged.
QImage makeButtonSheet(Language language, int scale, const CaptionFonts& fonts);
