// Colours shared by every picture, so buttons, background, arrows and icon
// read as one instrument panel.
#pragma once

#include <QColor>

namespace look {

// Colours of one button face; a disabled button uses a flatter, dimmer set.
struct FaceColours {
  QColor top;        // face gradient, top
  QColor bottom;     // face gradient, bottom
  QColor rimTop;     // 1-pixel highlight rim, top
  QColor rimBottom;  // 1-pixel highlight rim, bottom
  QColor ink;        // icon lines and caption
  QColor accent;     // the one accent of an icon
  QColor socketFill; // lamp socket
  QColor socketRim;
};

// Dark gap around and between buttons.
inline QColor panel() { return QColor(15, 20, 26); }

inline FaceColours enabledFace() {
  return {QColor(62, 74, 89),   QColor(35, 43, 53),  QColor(118, 134, 152),
          QColor(58, 68, 80),   QColor(232, 238, 244), QColor(64, 206, 222),
          QColor(14, 18, 23),   QColor(92, 104, 118)};
}

inline FaceColours disabledFace() {
  return {QColor(44, 50, 58),   QColor(36, 41, 48),  QColor(64, 71, 80),
          QColor(48, 54, 62),   QColor(104, 112, 122), QColor(78, 104, 110),
          QColor(28, 32, 38),   QColor(56, 62, 70)};
}

// Window background; static text in RGB(0, 168, 185) sits on it.
inline QColor backgroundBase() { return QColor(24, 31, 39); }

} // namespace look
