#pragma once
#include "model/dpoint.h"
#include "platform/colorref.h"
#include "platform/int_rect.h"
#include "view/pixel_band.h"

#include <string>
#include <vector>

struct ViewMapping;
struct ViewGeometry;

// A point on the picture being drawn on: the composed picture area, or a saved picture.
struct OverlayPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const OverlayPoint&, const OverlayPoint&) = default;
};

// Image pixels to pixels of the picture being drawn on: ((x + offX) * sx + originX,
// (y + offY) * sy + originY) truncated toward zero. Results are held within +-kLimit so that no drawing call
// overflows, whatever a record or the settings hold.
struct OverlayMapping {
    static constexpr double kLimit = 1 << 22;

    double sx = 1.0;
    double sy = 1.0;
    double offX = 0.0;
    double offY = 0.0;
    double originX = 0.0; // where the picture area starts on the surface drawn on
    double originY = 0.0;
    int imageWidth = 0; // the picture's size in image pixels: grid, crosshair, base lines
    int imageHeight = 0;

    // The picture area of a view, with its top-left corner at (0, 0): the scale of the
    // view and its offsets (0 while fitted).
    static OverlayMapping ForView(const ViewMapping& view, const ViewGeometry& g);

    DPOINT mapExact(const DPOINT& p) const {
        return {(p.x + offX) * sx + originX, (p.y + offY) * sy + originY};
    }
    OverlayPoint map(const DPOINT& p) const;
    // A length along each axis, floor(r * s) as the circle bounds want it.
    int lengthX(double r) const;
    int lengthY(double r) const;
    // Image rectangle of the whole picture, in image pixels.
    IntRect imageRect() const { return {0, 0, imageWidth, imageHeight}; }
};

enum class OverlayItemType {
    Line,     // points[0] to points[1]; a one-pixel pen leaves out the last pixel
    Polyline, // open, through all points
    Polygon,  // closed outline, not filled
    Ellipse,  // the outline of the ellipse inscribed in bounds (right and bottom exclusive)
    Dot,      // a round dot of `width` pixels across, centred on points[0]
    Text,     // `text` (UTF-8) in the overlay font with its top-left corner at points[0]
    Band,     // the pixels of `bounds` blended with the colour at `opacity` percent (BlendBand),
              // dashed from `dashOrigin` when `dash` says so; cut to the surface drawn on
};

struct OverlayItem {
    OverlayItemType type = OverlayItemType::Line;
    COLORREF colour = 0;
    int width = 1; // pen width; the diameter of a dot
    std::vector<OverlayPoint> points;
    IntRect bounds;
    std::string text;
    int opacity = 100;
    BandDash dash = BandDash::None;
    int dashOrigin = 0;
};

// Everything one paint draws over the picture, in drawing order. Built from the records
// and settings by the overlay layers, painted by the renderer; it also tells tests what
// was drawn where.
class OverlayList {
public:
    // Pen widths outside 1 ... kMaxPenWidth (odd settings-file values) are brought into it.
    static constexpr int kMaxPenWidth = 100;

    // Segment between two mapped points (exact coordinates), cut to the drawable range
    // first so that its direction survives.
    void line(COLORREF colour, int width, const DPOINT& from, const DPOINT& to);
    void line(COLORREF colour, int width, OverlayPoint from, OverlayPoint to);
    void polyline(COLORREF colour, int width, std::vector<OverlayPoint> points);
    void polygon(COLORREF colour, int width, std::vector<OverlayPoint> points);
    void ellipse(COLORREF colour, int width, const IntRect& bounds);
    void dot(COLORREF colour, int diameter, OverlayPoint centre);
    void text(COLORREF colour, OverlayPoint topLeft, std::string text);
    // Pixels written directly rather than with a pen: cross lines, focus bars. Nothing
    // for an empty rectangle or an opacity of 0 or less.
    void band(COLORREF colour, int opacity, const IntRect& bounds, BandDash dash = BandDash::None,
              int dashOrigin = 0);

    const std::vector<OverlayItem>& items() const { return m_items; }
    std::vector<OverlayItem>& items() { return m_items; }
    void clear() { m_items.clear(); }

private:
    void addPoints(OverlayItemType type, COLORREF colour, int width,
                   std::vector<OverlayPoint> points);

    std::vector<OverlayItem> m_items;
};

// Pen width from a settings value: 1 ... OverlayList::kMaxPenWidth.
int OverlayPenWidth(long long width);
// Bitwise NOT of a colour, keeping the low 24 bits: a selected measurement's colours.
constexpr COLORREF InvertedColour(COLORREF c) { return ~c & 0xFFFFFFu; }
