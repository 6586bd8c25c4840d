#include "view/overlay_painter.h"

#include "images/canvas.h"
#include "view/overlay_list.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QStaticText>
#include <QThread>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
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

// No line breaks, tabs or other control characters, which a laid-out text would treat
// otherwise than drawText does.
bool PlainLine(const std::string& text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// What the labels of one paint share with the next: the font made from the settings'
// LOGFONT, its ascent and the laid-out texts. Laying out a label (shaping) is most of
// its cost, and the same labels are drawn on every frame; a laid-out text draws the
// same pixels as drawText. The cache belongs to the user-interface thread and goes with
// the application object, which the fonts depend on.
class LabelCache {
public:
    static LabelCache* forThisThread() {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread())
            return nullptr;
        if (!s_cache) {
            s_cache = new LabelCache;
            qAddPostRoutine([] {
                delete s_cache;
                s_cache = nullptr;
            });
        }
        return s_cache;
    }

    // The font for `font`, made again only when it changes.
    const QFont& font(const LOGFONT& font) {
        if (!m_font || !(m_logfont == font)) {
            m_font = CanvasFont(font);
            m_logfont = font;
            m_ascent = QFontMetrics(*m_font).ascent();
            m_texts.clear();
        }
        return *m_font;
    }
    int ascent() const { return m_ascent; }

    const QStaticText& text(const std::string& utf8) {
        auto it = m_texts.find(utf8);
        if (it == m_texts.end()) {
            if (m_texts.size() >= kMaxTexts) // labels that come and go (a value being drawn)
                m_texts.clear();
            QStaticText t(QString::fromStdString(utf8));
            t.setTextFormat(Qt::PlainText);
            t.prepare(QTransform(), *m_font);
            it = m_texts.emplace(utf8, std::move(t)).first;
        }
        return it->second;
    }

private:
    static constexpr std::size_t kMaxTexts = 512;
    static inline LabelCache* s_cache = nullptr;
    std::optional<QFont> m_font;
    LOGFONT m_logfont;
    int m_ascent = 0;
    std::unordered_map<std::string, QStaticText> m_texts;
};

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
    LabelCache* cache = nullptr;
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
            if (item.width <= 1 && (a.x == b.x || a.y == b.y) && painter.transform().isIdentity()) {
                // Qt plots a one-pixel line pixel by pixel; level and upright ones are the
                // rectangle it covers, from the smaller end up to (without) the larger.
                const int x = std::min(a.x, b.x), y = std::min(a.y, b.y);
                painter.fillRect(a.y == b.y ? QRect(x, y, std::abs(b.x - a.x), 1)
                                            : QRect(x, y, 1, std::abs(b.y - a.y)),
                                 CanvasColour(item.colour));
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
                cache = LabelCache::forThisThread();
                if (cache) {
                    qfont = cache->font(font);
                    ascent = cache->ascent();
                } else {
                    qfont = CanvasFont(font);
                    ascent = QFontMetrics(*qfont).ascent();
                }
                painter.setFont(*qfont);
            }
            painter.setPen(CanvasColour(item.colour));
            if (cache && painter.transform().isIdentity() && PlainLine(item.text))
                painter.drawStaticText(QPoint(item.points[0].x, item.points[0].y),
                                       cache->text(item.text));
            else
                painter.drawText(QPoint(item.points[0].x, item.points[0].y + ascent),
                                 QString::fromStdString(item.text));
            break;
        }
        }
    }
    painter.restore();
}
