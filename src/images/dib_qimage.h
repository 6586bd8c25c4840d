#pragma once
#include "images/dib_image.h"

#include <QImage>

// An upright QImage copy of a bottom-up picture: 24-bit as BGR888, 32-bit as RGB32,
// 8-bit as an indexed image with the picture's colour table, 16-bit as 8-bit grey
// (word >> 2). A null QImage for an empty picture.
QImage ToQImage(const CDibImage& image);
