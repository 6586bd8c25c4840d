#include "calib/view_mapping.h"

#include "calib/picture_layout.h"

namespace {

// Index n with image point p shown at (ax, ay) from the area's top left, in window
// pixels; fitted, the offsets are 0.
void ShowAt(ViewMapping& v, int n, const DPOINT& p, double ax, double ay) {
    v.m_Bai = n;
    if (v.fitted()) {
        v.m_Bai_X = 0.0;
        v.m_Bai_Y = 0.0;
        return;
    }
    const double f = v.factor();
    v.m_Bai_X = ax / f - p.x;
    v.m_Bai_Y = ay / f - p.y;
}

} // namespace

double ViewMapping::scaleX(const ViewGeometry& g) const {
    if (!fitted())
        return factor();
    if (g.imageWidth <= 0 || g.area.width() <= 0)
        return 1.0;
    return static_cast<double>(g.area.width()) / g.imageWidth;
}

double ViewMapping::scaleY(const ViewGeometry& g) const {
    if (!fitted())
        return factor();
    if (g.imageHeight <= 0 || g.area.height() <= 0)
        return 1.0;
    return static_cast<double>(g.area.height()) / g.imageHeight;
}

DPOINT ViewMapping::WindowToImage(const ViewGeometry& g, double mx, double my) const {
    if (!fitted()) {
        const double f = factor();
        return {(mx - g.area.left) / f - m_Bai_X, (my - g.area.top) / f - m_Bai_Y};
    }
    return {(mx - g.area.left) / scaleX(g), (my - g.area.top) / scaleY(g)};
}

void ViewMapping::WindowToImageInt(const ViewGeometry& g, double mx, double my, int& x,
                                   int& y) const {
    const DPOINT p = WindowToImage(g, mx, my);
    // Window positions are bounded, so the image position always fits an int.
    x = static_cast<int>(p.x);
    y = static_cast<int>(p.y);
}

DPOINT ViewMapping::ImageToWindow(const ViewGeometry& g, const DPOINT& p) const {
    const double offX = fitted() ? 0.0 : m_Bai_X;
    const double offY = fitted() ? 0.0 : m_Bai_Y;
    return {(p.x + offX) * scaleX(g) + g.area.left, (p.y + offY) * scaleY(g) + g.area.top};
}

void ViewMapping::ChangeMagnification(int n, int oldWidth, int oldHeight, int newWidth,
                                      int newHeight, int imageWidth, int imageHeight) {
    double cx = imageWidth * 0.5;
    double cy = imageHeight * 0.5;
    if (!fitted()) {
        const double f = factor();
        cx = oldWidth / f * 0.5 - m_Bai_X;
        cy = oldHeight / f * 0.5 - m_Bai_Y;
    }
    // The new area's size, not the old one's: fit and x1 areas differ, and the centre
    // would drift by half the difference.
    ShowAt(*this, n, {cx, cy}, newWidth * 0.5, newHeight * 0.5);
}

int ViewMapping::WheelRow(int currentRow, int delta, int lastRow) {
    if (delta < 0 && currentRow > 0)
        return currentRow - 1;
    if (delta > 0 && currentRow < lastRow)
        return currentRow + 1;
    return currentRow;
}

void ViewMapping::ZoomAbout(int n, const ViewGeometry& g, double mx, double my) {
    // (mx - L) / z is Wv / z x fx with fx the cursor's share of the area width.
    ShowAt(*this, n, WindowToImage(g, mx, my), mx - g.area.left, my - g.area.top);
}

DPOINT ViewMapping::PanAnchor(double mx, double my) const {
    const double f = factor();
    return {mx / f - m_Bai_X, my / f - m_Bai_Y};
}

void ViewMapping::PanTo(const DPOINT& anchor, double mx, double my, const ViewGeometry& g) {
    if (fitted())
        return;
    const double f = factor();
    m_Bai_X = mx / f - anchor.x;
    m_Bai_Y = my / f - anchor.y;
    Clamp(g.area.width(), g.area.height(), g.imageWidth, g.imageHeight);
}

void ViewMapping::Clamp(int areaWidth, int areaHeight, int imageWidth, int imageHeight) {
    if (fitted()) {
        m_Bai_X = 0.0;
        m_Bai_Y = 0.0;
        return;
    }
    ClampScrollOffsets(m_Bai_X, m_Bai_Y, areaWidth, areaHeight, imageWidth, imageHeight, m_Bai);
}
