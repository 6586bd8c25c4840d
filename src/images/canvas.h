#pragma once
#include "platform/colorref.h"
#include "platform/int_rect.h"
#include "platform/logfont.h"

#include <memory>
#include <span>
#include <string>

class CDibImage;
class QColor;
class QFont;
class QPainter;
class QPen;
class QRectF;

struct CanvasPoint {
    int x = 0;
    int y = 0;
};

struct CanvasSize {
    int width = 0;
    int height = 0;
};

// Draws lines, shapes and text on a CDibImage, aliased, in top-down picture coordinates
// (row 0 is the top row of the picture, whatever the row order in memory).
//
// The canvas paints on a top-down copy of the picture and writes it back into the image
// when end() is called or the canvas goes away; the image must be neither resized nor
// destroyed in between, and pixels written to it directly in between are overwritten.
// - 24-bit images are painted as they are.
// - 32-bit images are painted in their first three bytes; the fourth byte is kept.
// - 8-bit images are painted in colour; pixels the drawing changed get the nearest entry of
//   the image's colour table, the others keep their index.
// - 16-bit and null images cannot be drawn on: isValid() is false and drawing does nothing.
//
// Like a device context, the canvas keeps the selected pen (1 pixel, black), brush (none),
// font, text colour (black) and text background (transparent) until replaced.
// Text needs a QGuiApplication; without one, text is neither drawn nor measured.
class Canvas {
public:
    explicit Canvas(CDibImage& image);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool isValid() const;
    // Writes the drawing back into the image; later drawing calls do nothing.
    void end();

    // lfHeight < 0: character height in pixels; > 0: cell height (ascent + descent);
    // 0: a character height of 12 pixels. lfWidth > 0 stretches to that average character
    // width. lfWeight 0 is normal (400), 700 bold. Italic, underline and strike-out as
    // flagged. Faces that are not installed, and characters the face lacks, fall back to a
    // Japanese gothic face. Escapement and orientation are not supported.
    void setFont(const LOGFONT& font);
    // A solid pen; width 1 or less draws one-pixel lines, wider pens have round ends and
    // joins.
    void setPen(int width, COLORREF colour);
    void setNoPen();
    // A solid brush fills rectangles, ellipses and polygons.
    void setBrush(COLORREF colour);
    void setNoBrush();
    void setTextColour(COLORREF colour);
    // Text background: transparent (the default) or filled with a colour behind each text.
    void setTransparentText();
    void setOpaqueText(COLORREF background);

    // One-pixel lines stop before their last point (so joined segments meet without
    // doubling); a zero-length line with a wider pen is a round dot of the pen's width.
    void drawLine(int x1, int y1, int x2, int y2);
    void drawPolyline(std::span<const CanvasPoint> points);
    // Closed outline with the pen, filled with the brush by the even-odd rule.
    void drawPolygon(std::span<const CanvasPoint> points);
    // The rectangle's right and bottom edges are exclusive: a one-pixel pen outlines columns
    // left .. right - 1 and rows top .. bottom - 1.
    void drawRect(const IntRect& rect);
    // The ellipse inscribed in bounds (exclusive right and bottom as for drawRect).
    void drawEllipse(const IntRect& bounds);
    // Part of that ellipse's outline: angles in degrees counter-clockwise from three
    // o'clock; a span of 360 is the whole outline without fill.
    void drawArc(const IntRect& bounds, double startDegrees, double spanDegrees);
    // Text (UTF-8) with its top-left corner at (x, y).
    void drawText(int x, int y, const std::string& text);
    // The painter on the top-down picture, for code that paints on any QPainter (the
    // overlay, burnt into saved pictures as it is painted on the screen). It holds the
    // selected pen and brush and draws aliased; what it paints is written back like the
    // calls above. Null when the canvas cannot draw.
    QPainter* painter();

    // Advance width and cell height of the text in the current font.
    CanvasSize textSize(const std::string& text) const;
    // The same for any font, without a canvas (label hit-testing).
    static CanvasSize measureText(const LOGFONT& font, const std::string& text);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The font the canvas makes of a LOGFONT (needs a QGuiApplication). The picture overlay
// draws its labels with it, so labels look and measure the same everywhere.
QFont CanvasFont(const LOGFONT& font);

// The canvas's drawing rules, for code that paints on a QPainter of its own (the overlay
// of the picture area), so both draw alike: the colour; the pen (one pixel: flat ends;
// wider: round ends and joins); a round dot as wide as a pen, in rows of pixels (the
// painter's own small ellipses come out lopsided); the rectangle to hand Qt for a shape
// whose right and bottom edges are exclusive (Qt outlines one pixel beyond the width).
QColor CanvasColour(COLORREF colour);
QPen CanvasPen(int width, COLORREF colour);
void PaintCanvasDot(QPainter& painter, int x, int y, int width, const QColor& colour);
QRectF CanvasShapeRect(const IntRect& rect, bool withPen);
