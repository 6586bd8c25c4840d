#pragma once
#include "platform/int_rect.h"
#include "view/strip_cells.h"

#include <QString>

#include <span>
#include <string>

class QFont;
class QFontMetrics;
class QImage;
class QPainter;

// A file name as it fits a cell `cellWidth` pixels wide: elided in the middle, its
// extension kept (ElideFileName). The strip and the thumbnail browser both use it.
QString FitNameToCell(const QFontMetrics& fm, const std::string& name, int cellWidth);

// Paints the thumbnail strip inside its group box `box` (window pixels), clipped to the
// box less the margin on the left and right: for each visible cell the thumbnail
// stretched to the cell, its file name centred under it (elided in the middle when wider
// than the cell) with its top at box top + cell height, the 1-based number at the cell's
// corner, and the background tile stretched over the next cell width to the right.
void PaintThumbnailStrip(QPainter& painter, const IntRect& box, const StripMetrics& metrics,
                         int scrollPosition, std::span<const StripEntry> entries,
                         const QImage& tile, const QFont& font);
