#pragma once
#include "platform/logfont.h"

class OverlayList;
class QPainter;

// Paints an overlay list, aliased, with GDI-like pens: one-pixel lines leave out their
// last pixel, wider pens have round ends and joins; texts in `font` on a transparent
// background. Needs a QGuiApplication for texts; without one they are left out.
void PaintOverlay(QPainter& painter, const OverlayList& list, const LOGFONT& font);
