#pragma once
#include "calib/magnification.h"
#include "model/dpoint.h"
#include "platform/int_rect.h"

#include <cstdint>

// What the mapping needs besides its own state, taken afresh for every event: the
// picture area in dialog-client pixels and the size of the picture shown.
struct ViewGeometry {
    IntRect area;
    int imageWidth = 0;
    int imageHeight = 0;
};

// Screen magnification and scrolling of the picture area.
//
// `m_Bai` is 0 to fit the picture to the area, 1 ... 21 for the factors of
// MagnificationFactor. `m_Bai_X`, `m_Bai_Y` are the scroll offsets in image pixels:
// image pixel x is shown at area column (x + m_Bai_X) * factor, so they are <= 0 while
// the picture is scrolled. While fitted the offsets play no part in the mapping; the
// operations here keep them at 0 then.
struct ViewMapping {
    std::int32_t m_Bai = 1;
    double m_Bai_X = 0.0;
    double m_Bai_Y = 0.0;

    bool fitted() const { return m_Bai <= 0; }
    // The factor of the current index (1.0 while fitted).
    double factor() const { return MagnificationFactor(m_Bai); }
    // Image to window scale along each axis: the factor, or area / picture while fitted
    // (1 when either size is empty).
    double scaleX(const ViewGeometry& g) const;
    double scaleY(const ViewGeometry& g) const;
    // Zoom used for hit-test tolerances: 10 window pixels are 10 / zoom image pixels.
    double zoom(const ViewGeometry& g) const { return scaleX(g); }

    // Window (dialog-client) position to image pixels, and the same truncated toward
    // zero. Fitted, the offsets are not used.
    DPOINT WindowToImage(const ViewGeometry& g, double mx, double my) const;
    void WindowToImageInt(const ViewGeometry& g, double mx, double my, int& x, int& y) const;
    // Image pixels to window position; fitted, the offsets count as 0.
    DPOINT ImageToWindow(const ViewGeometry& g, const DPOINT& p) const;

    // Choosing index n in the magnification combo box: the image point at the centre of
    // the area before the change (oldWidth x oldHeight) comes to the centre of the area
    // the layout gives for index n (newWidth x newHeight). Fitted before, that is the
    // picture's centre.
    void ChangeMagnification(int n, int oldWidth, int oldHeight, int newWidth, int newHeight,
                             int imageWidth, int imageHeight);

    // Wheel: the row the combo box moves to for a wheel step of this sign (away from
    // the user positive), staying put at either end.
    static int WheelRow(int currentRow, int delta, int lastRow);
    // Wheel over the picture: index n with the image point under the window position
    // (mx, my) kept under it.
    void ZoomAbout(int n, const ViewGeometry& g, double mx, double my);

    // Panning with the left button: the anchor taken at the press, and the offsets for
    // the mouse at (mx, my) afterwards, clamped to the area. Both in dialog-client
    // pixels. Fitted, panning leaves the offsets at 0.
    DPOINT PanAnchor(double mx, double my) const;
    void PanTo(const DPOINT& anchor, double mx, double my, const ViewGeometry& g);

    // Keeps the offsets inside their bounds for an area of that size (ClampScrollOffsets);
    // fitted, both become 0.
    void Clamp(int areaWidth, int areaHeight, int imageWidth, int imageHeight);
};
