#pragma once
#include <QCursor>
#include <QIcon>
#include <QImage>

// The program's own pictures, compiled in as Qt resources (res/mirelta.qrc).
// Pictures are decoded through the program's PNG decoder from memory.
QImage ResourcePicture(const char* alias);
QIcon ResourceIcon();
// A program cursor ("cursor/138" ...) with its hot spot; the arrow when missing.
QCursor ResourceCursor(const char* alias);
