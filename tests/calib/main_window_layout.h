#pragma once
// The main window as designed: a client area of 1100 x 860, the picture area at (8, 8),
// 246 pixels kept for the panel and 208 for the strip.
#include "calib/picture_layout.h"

inline PictureLayoutInput MainWindowLayout(int imageWidth, int imageHeight, int magnification) {
    PictureLayoutInput in;
    in.imageWidth = imageWidth;
    in.imageHeight = imageHeight;
    in.clientWidth = 1100;
    in.clientHeight = 860;
    in.px = 8;
    in.py = 8;
    in.panelRoom = 246;
    in.stripRoom = 208;
    in.magnification = magnification;
    return in;
}
