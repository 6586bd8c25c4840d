#include "view/thumbnail_strip_painter.h"

#include "calib/view_mapping.h"
#include "images/dib_image.h"
#include "platform/elide_file_name.h"
#include "view/overlay_composer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

// White text with a dark rim, readable over light and dark thumbnails alike.
void DrawOutlinedText(QPainter& painter, QPoint at, const QString& text) {
    painter.setPen(QColor(16, 20, 26));
    for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
        painter.drawText(at + d, text);
    painter.setPen(Qt::white);
    painter.drawText(at, text);
}

} // namespace

QString FitNameToCell(const QFontMetrics& fm, const std::string& name, int cellWidth) {
    // The outline takes a pixel on either side.
    return QString::fromStdString(ElideFileName(name, cellWidth - 2, [&fm](std::string_view text) {
        return fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }));
}

void PaintThumbnailStrip(QPainter& painter, const IntRect& box, const StripMetrics& metrics,
                         int scrollPosition, std::span<const StripEntry> entries,
                         const QImage& tile, const QFont& font) {
    const auto cells = VisibleStripCells(box, metrics, scrollPosition, static_cast<int>(entries.size()));
    if (cells.empty())
        return;
    painter.save();
    painter.setClipRect(QRect(box.left + metrics.margin, box.top,
                              box.width() - 2 * metrics.margin, box.height()));
    painter.setFont(font);
    const QFontMetrics fm(font);
    const int w = metrics.cellWidth;
    const int h = metrics.cellHeight;
    QImage thumb(w, h, QImage::Format_RGB32);
    ViewMapping fit;
    fit.m_Bai = 0;
    for (const StripCell& cell : cells) {
        const StripEntry& entry = entries[static_cast<std::size_t>(cell.index)];
        if (entry.picture && !thumb.isNull()) {
            DrawPictureStep(thumb, *entry.picture, fit);
            painter.drawImage(cell.x, cell.y, thumb);
        }
        const QString name = FitNameToCell(fm, entry.name, w);
        const int nameX = cell.x + (w - fm.horizontalAdvance(name)) / 2;
        DrawOutlinedText(painter, QPoint(nameX, box.top + h + fm.ascent()), name);
        DrawOutlinedText(painter, QPoint(cell.x, cell.y + fm.ascent()), QString::number(cell.index + 1));
        if (!tile.isNull())
            painter.drawImage(QRect(cell.x + w, cell.y, w, h), tile);
    }
    painter.restore();
}
