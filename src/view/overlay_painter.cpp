#include "view/overlay_painter.h"

#include "images/canvas.h"
#include "view/overlay_list.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <optional>

namespace {

QPolygon ToPolygon(const std::vector<OverlayPoint>& points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t k = 0; k < points.size(); ++k)
        polygon.setPoint(static_cast<int>(k), points[k].x, points[k].y);
    return polygon;
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
    for (const OverlayItem& item : list.items()) {
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
