#include "images/canvas.h"

#include "images/dib_image.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// Faces that carry Japanese glyphs; tried after the chosen face.
QStringList FallbackFaces() { return {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}; }
constexpr int kDefaultCharacterHeight = 12;
// Larger settings-file values would only make the font engine allocate huge glyphs.
constexpr int kMaxFontPixels = 4096;

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QFont ToQFont(const LOGFONT& lf) {
    QFont font;
    QStringList families;
    if (!lf.lfFaceName.empty())
        families << QString::fromStdString(lf.lfFaceName);
    families << FallbackFaces();
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    // Labels must be exactly the text colour: no grey edge pixels.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setWeight(lf.lfWeight == 0 ? QFont::Normal
                                    : static_cast<QFont::Weight>(std::clamp(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);

    if (lf.lfHeight < 0) {
        font.setPixelSize(static_cast<int>(std::min(-static_cast<long long>(lf.lfHeight),
                                                    static_cast<long long>(kMaxFontPixels))));
    } else if (lf.lfHeight > 0) {
        // A cell height: find the largest character height whose cell fits.
        const int cell = std::min(lf.lfHeight, kMaxFontPixels);
        int size = cell;
        font.setPixelSize(size);
        for (int step = 0; step < 8 && size > 1; ++step) {
            const int height = QFontMetrics(font).height();
            if (height <= cell)
                break;
            size = std::max(1, std::min(size - 1, size * cell / height));
            font.setPixelSize(size);
        }
    } else {
        font.setPixelSize(kDefaultCharacterHeight);
    }
    if (lf.lfWidth > 0) {
        const int natural = QFontMetrics(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(static_cast<int>(
                std::clamp(lf.lfWidth * 100LL / natural, 1LL, 4000LL)));
    }
    return font;
}

CanvasSize Measure(const QFont& font, const std::string& text) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

QPolygon ToPolygon(std::span<const CanvasPoint> points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t k = 0; k < points.size(); ++k)
        polygon.setPoint(static_cast<int>(k), points[k].x, points[k].y);
    return polygon;
}

QRectF ShapeRect(const IntRect& r, const QPen& pen) {
    return CanvasShapeRect(r, pen.style() != Qt::NoPen);
}

} // namespace

QFont CanvasFont(const LOGFONT& font) { return ToQFont(font); }

QColor CanvasColour(COLORREF colour) {
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

QPen CanvasPen(int width, COLORREF colour) {
    const int w = std::max(1, width);
    return QPen(CanvasColour(colour), w, Qt::SolidLine, w == 1 ? Qt::FlatCap : Qt::RoundCap,
                w == 1 ? Qt::MiterJoin : Qt::RoundJoin);
}

void PaintCanvasDot(QPainter& painter, int x, int y, int width, const QColor& colour) {
    // Spans of the pixels within half the width of the point.
    const int reach = width / 2;
    for (int dy = -reach; dy <= reach; ++dy) {
        int dx = reach;
        while (dx > 0 && 4 * (dx * dx + dy * dy) > width * width)
            --dx;
        painter.fillRect(QRect(x - dx, y + dy, 2 * dx + 1, 1), colour);
    }
}

QRectF CanvasShapeRect(const IntRect& r, bool withPen) {
    // Without a pen the fill alone covers the rectangle.
    const double shrink = withPen ? 1.0 : 0.0;
    return QRectF(r.left, r.top, static_cast<double>(r.right) - r.left - shrink,
                  static_cast<double>(r.bottom) - r.top - shrink);
}

struct Canvas::Impl {
    CDibImage* image = nullptr;
    // The top-down copy is made on the first drawing call, so a canvas that only
    // measures text, or draws nothing, costs no copy.
    bool painting = false;
    QImage picture;
    QPainter painter;
    QPen pen{Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin};
    QBrush brush{Qt::NoBrush};
    QFont font;
    bool fontSet = false;
    QColor textColour = Qt::black;
    QColor textBackground = Qt::white;
    bool opaqueText = false;
    int penWidth = 1;
    std::array<QRgb, 256> palette{};

    bool load(CDibImage& target);
    void store();
    // Starts painting if needed, with the selected pen and brush; null when the canvas
    // cannot draw.
    QPainter* begin();
    const QFont& currentFont() {
        if (!fontSet) {
            font = ToQFont(LOGFONT{});
            fontSet = true;
        }
        return font;
    }
};

QPainter* Canvas::Impl::begin() {
    if (!image)
        return nullptr;
    if (!painting) {
        if (!load(*image) || !painter.begin(&picture)) {
            image = nullptr;
            picture = QImage();
            return nullptr;
        }
        painting = true;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
    }
    painter.setPen(pen);
    painter.setBrush(brush);
    return &painter;
}

bool Canvas::Impl::load(CDibImage& target) {
    const int w = target.width();
    const int h = target.height();
    switch (target.bitCount()) {
    case 24:
        // Bytes B, G, R in memory, as in the image: rows only need flipping.
        picture = QImage(w, h, QImage::Format_BGR888);
        if (picture.isNull())
            return false;
        for (int y = 0; y < h; ++y)
            std::memcpy(picture.scanLine(y), target.scanLine(y), static_cast<std::size_t>(w) * 3);
        return true;
    case 32:
        picture = QImage(w, h, QImage::Format_RGB32);
        if (picture.isNull())
            return false;
        // qRgb keeps this right whatever the machine's byte order.
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* in = target.scanLine(y);
            auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < w; ++x, in += 4)
                out[x] = qRgb(in[2], in[1], in[0]);
        }
        return true;
    case 8: {
        // A painter cannot draw on indexed pictures; draw in colour and map back.
        picture = QImage(w, h, QImage::Format_RGB32);
        if (picture.isNull())
            return false;
        for (std::size_t k = 0; k < palette.size(); ++k) {
            const RGBQUAD& e = target.colourTable()[k];
            palette[k] = qRgb(e.rgbRed, e.rgbGreen, e.rgbBlue);
        }
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* in = target.scanLine(y);
            auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < w; ++x)
                out[x] = palette[in[x]];
        }
        return true;
    }
    default:
        return false;
    }
}

void Canvas::Impl::store() {
    const int w = image->width();
    const int h = image->height();
    switch (image->bitCount()) {
    case 24:
        for (int y = 0; y < h; ++y)
            std::memcpy(image->scanLine(y), picture.constScanLine(y), static_cast<std::size_t>(w) * 3);
        break;
    case 32:
        for (int y = 0; y < h; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            std::uint8_t* out = image->scanLine(y);
            for (int x = 0; x < w; ++x, out += 4) {
                out[0] = static_cast<std::uint8_t>(qBlue(in[x]));
                out[1] = static_cast<std::uint8_t>(qGreen(in[x]));
                out[2] = static_cast<std::uint8_t>(qRed(in[x]));
            }
        }
        break;
    case 8: {
        QRgb lastColour = 0;
        int lastIndex = -1;
        for (int y = 0; y < h; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            std::uint8_t* out = image->scanLine(y);
            for (int x = 0; x < w; ++x) {
                const QRgb colour = in[x] & 0xFFFFFFu;
                if (colour == (palette[out[x]] & 0xFFFFFFu))
                    continue;
                // Drawn pixels come in few colours; remember the last lookup.
                if (lastIndex < 0 || colour != lastColour) {
                    lastColour = colour;
                    lastIndex = image->nearestColourIndex(RGB(qRed(colour), qGreen(colour), qBlue(colour)));
                }
                out[x] = static_cast<std::uint8_t>(lastIndex);
            }
        }
        break;
    }
    default:
        break;
    }
}

Canvas::Canvas(CDibImage& image) : m_impl(std::make_unique<Impl>()) {
    const int bits = image.bitCount();
    if (!image.isNull() && (bits == 8 || bits == 24 || bits == 32))
        m_impl->image = &image;
}

Canvas::~Canvas() { end(); }

bool Canvas::isValid() const { return m_impl->image != nullptr; }

void Canvas::end() {
    if (m_impl->painting) {
        m_impl->painter.end();
        if (m_impl->image)
            m_impl->store();
        m_impl->painting = false;
    }
    m_impl->image = nullptr;
    m_impl->picture = QImage();
}

void Canvas::setFont(const LOGFONT& font) {
    if (!HaveGui())
        return;
    m_impl->font = ToQFont(font);
    m_impl->fontSet = true;
}

void Canvas::setPen(int width, COLORREF colour) {
    m_impl->penWidth = std::max(1, width);
    m_impl->pen = CanvasPen(width, colour);
}

void Canvas::setNoPen() { m_impl->pen = QPen(Qt::NoPen); }

void Canvas::setBrush(COLORREF colour) { m_impl->brush = QBrush(CanvasColour(colour)); }

void Canvas::setNoBrush() { m_impl->brush = QBrush(Qt::NoBrush); }

void Canvas::setTextColour(COLORREF colour) { m_impl->textColour = CanvasColour(colour); }

void Canvas::setTransparentText() { m_impl->opaqueText = false; }

void Canvas::setOpaqueText(COLORREF background) {
    m_impl->opaqueText = true;
    m_impl->textBackground = CanvasColour(background);
}

void Canvas::drawLine(int x1, int y1, int x2, int y2) {
    QPainter* p = m_impl->begin();
    if (!p)
        return;
    if (x1 == x2 && y1 == y2) {
        // Qt draws nothing for a zero-length line; a wide pen leaves a dot.
        if (m_impl->penWidth <= 1 || m_impl->pen.style() == Qt::NoPen)
            return;
        PaintCanvasDot(*p, x1, y1, m_impl->penWidth, m_impl->pen.color());
        return;
    }
    p->drawLine(x1, y1, x2, y2);
}

void Canvas::drawPolyline(std::span<const CanvasPoint> points) {
    QPainter* p = points.size() >= 2 ? m_impl->begin() : nullptr;
    if (p)
        p->drawPolyline(ToPolygon(points));
}

void Canvas::drawPolygon(std::span<const CanvasPoint> points) {
    QPainter* p = points.size() >= 2 ? m_impl->begin() : nullptr;
    if (p)
        p->drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

void Canvas::drawRect(const IntRect& rect) {
    QPainter* p = rect.isEmpty() ? nullptr : m_impl->begin();
    if (p)
        p->drawRect(ShapeRect(rect, m_impl->pen));
}

void Canvas::drawEllipse(const IntRect& bounds) {
    QPainter* p = bounds.isEmpty() ? nullptr : m_impl->begin();
    if (p)
        p->drawEllipse(ShapeRect(bounds, m_impl->pen));
}

void Canvas::drawArc(const IntRect& bounds, double startDegrees, double spanDegrees) {
    QPainter* p = bounds.isEmpty() ? nullptr : m_impl->begin();
    if (!p)
        return;
    // Qt counts arcs in sixteenths of a degree, counter-clockwise from three o'clock.
    const auto sixteenths = [](double degrees) {
        return static_cast<int>(std::clamp(degrees, -36000.0, 36000.0) * 16.0);
    };
    p->drawArc(ShapeRect(bounds, m_impl->pen), sixteenths(startDegrees),
                            sixteenths(spanDegrees));
}

void Canvas::drawText(int x, int y, const std::string& text) {
    QPainter* p = text.empty() || !HaveGui() ? nullptr : m_impl->begin();
    if (!p)
        return;
    const QFont& font = m_impl->currentFont();
    const QString s = QString::fromStdString(text);
    const QFontMetrics metrics(font);
    if (m_impl->opaqueText)
        p->fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()),
                    m_impl->textBackground);
    p->setFont(font);
    p->setPen(m_impl->textColour);
    // The painter places text on its baseline; the canvas, like TextOut, at its top.
    p->drawText(QPoint(x, y + metrics.ascent()), s);
}

QPainter* Canvas::painter() { return m_impl->begin(); }

CanvasSize Canvas::textSize(const std::string& text) const {
    if (!HaveGui())
        return {};
    return Measure(m_impl->currentFont(), text);
}

CanvasSize Canvas::measureText(const LOGFONT& font, const std::string& text) {
    if (!HaveGui())
        return {};
    return Measure(ToQFont(font), text);
}
