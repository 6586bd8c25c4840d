#include "view/overlay_painter.h"

#include "images/canvas.h"
#include "view/overlay_list.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <bit>
#include <optional>
#include <span>
#include <vector>

namespace {

QPolygon ToPolygon(const std::vector<OverlayPoint>& points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t k = 0; k < points.size(); ++k)
        polygon.setPoint(static_cast<int>(k), points[k].x, points[k].y);
    return polygon;
}

// Bands are pixel arithmetic, not pen work: written straight into the picture the
// painter draws on (the composed area and saved pictures are both 32-bit QImages).
// A run of consecutive bands goes out in one pass over the picture.
void PaintBands(QPainter& p, std::span<const OverlayItem> items) {
    static_assert(std::endian::native == std::endian::little, "QRgb bytes are B, G, R, A");
    QPaintDevice* device = p.device();
    if (!device || device->devType() != QInternal::Image)
        return;
    // The composed area is 32-bit; a picture burnt in through a canvas is B, G, R.
    auto* image = static_cast<QImage*>(device);
    const bool bgr = image->format() == QImage::Format_BGR888;
    if (image->depth() != 32 && !bgr)
        return;
    PixelRows rows;
    rows.top = image->bits();
    rows.stride = image->bytesPerLine();
    rows.bytesPerPixel = bgr ? 3 : 4;
    rows.width = image->width();
    rows.height = image->height();
    std::vector<PixelBand> bands;
    bands.reserve(items.size());
    for (const OverlayItem& item : items)
        bands.push_back({item.bounds, item.colour, item.opacity, item.dash, item.dashOrigin});
    BlendBands(rows, bands);
}

} // namespace

void PaintOverlay(QPainter& painter, const OverlayList& list, const LOGFONT& font) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const bool haveGui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    // The font is made once per paint, on the first label.
    std::optional<QFont> qfont;
    int ascent = 0;
    const std::vector<OverlayItem>& items = list.items();
    for (std::size_t index = 0; index < items.size(); ++index) {
        const OverlayItem& item = items[index];
        switch (item.type) {
        case OverlayItemType::Line: {
            const OverlayPoint a = item.points[0];
            const OverlayPoint b = item.points[1];
            painter.setPen(CanvasPen(item.width, item.colour));
            if (a == b) {
                // Qt draws nothing for a zero-length line; a wide pen leaves a dot.
                if (item.width > 1)
                    PaintCanvasDot(painter, a.x, a.y, item.width, CanvasColour(item.colour));
                break;
            }
            painter.drawLine(a.x, a.y, b.x, b.y);
            break;
        }
        case OverlayItemType::Polyline:
            painter.setPen(CanvasPen(item.width, item.colour));
            painter.drawPolyline(ToPolygon(item.points));
            break;
        case OverlayItemType::Polygon:
            painter.setPen(CanvasPen(item.width, item.colour));
            painter.drawPolygon(ToPolygon(item.points));
            break;
        case OverlayItemType::Ellipse:
            painter.setPen(CanvasPen(item.width, item.colour));
            painter.drawEllipse(CanvasShapeRect(item.bounds, true));
            break;
        case OverlayItemType::Dot:
            PaintCanvasDot(painter, item.points[0].x, item.points[0].y, item.width,
                           CanvasColour(item.colour));
            break;
        case OverlayItemType::Band:
        {
            std::size_t end = index + 1;
            while (end < items.size() && items[end].type == OverlayItemType::Band)
                ++end;
            PaintBands(painter, std::span<const OverlayItem>(items).subspan(index, end - index));
            index = end - 1;
            break;
        }
        case OverlayItemType::Text: {
            if (!haveGui)
                break;
            if (!qfont) {
                qfont = CanvasFont(font);
                ascent = QFontMetrics(*qfont).ascent();
                painter.setFont(*qfont);
            }
            painter.setPen(CanvasColour(item.colour));
            painter.drawText(QPoint(item.points[0].x, item.points[0].y + ascent),
                             QString::fromStdString(item.text));
            break;
        }
        }
    }
    painter.restore();
}
