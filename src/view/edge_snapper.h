#pragma once
#include "images/dib_image.h"
#include "model/dpoint.h"

#include <cstdint>

class Clock;
struct MagnetSettings;

// Edge snapping as the main window holds it: the switch (box 1233, off at every start and
// never saved), the edge image with its grey working copy and the preview, and when the
// edge image is recomputed. The images follow the picture's size; a frame of the same
// size allocates nothing.
class EdgeSnapper {
  public:
    // The clock must outlive the object; by default the process clock.
    EdgeSnapper();
    explicit EdgeSnapper(const Clock& clock);

    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }

    // Creates the three 8-bit images at the camera's size (zero, so no edges) when their
    // size differs. Returns false when the size is not a picture size.
    bool resize(int width, int height);

    // A new frame in the display image: recomputed on every frame while Show is 1;
    // otherwise, while snapping is on, on a frame more than 1000 ms after the previous
    // recomputation made this way (the first such frame only starts the clock).
    // Returns true when the edge image was recomputed.
    bool onFrame(const CDibImage& display, const MagnetSettings& magnet);
    // A still picture was opened: the images take its size and the edge image is made.
    bool onStillPicture(const CDibImage& display, const MagnetSettings& magnet);

    // Snaps p when snapping is on and an edge image exists; 1 when p moved.
    int snapToEdge(DPOINT& p, const MagnetSettings& magnet) const;
    // The point p snaps to (p itself when it does not move).
    DPOINT snapped(const DPOINT& p, const MagnetSettings& magnet) const;

    // The preview for the paint while Show is 1, made anew from the edge image or the
    // display image; null while Show is not 1 or when it cannot be made.
    const CDibImage* preview(const CDibImage& display, const MagnetSettings& magnet);

    const CDibImage& edgeImage() const { return m_edge; }

  private:
    bool fitTo(const CDibImage& display);
    bool recompute(const CDibImage& display, const MagnetSettings& magnet);

    const Clock* m_clock;
    bool m_enabled = false;
    bool m_clockStarted = false;
    std::uint32_t m_lastTick = 0;
    CDibImage m_grey;
    CDibImage m_edge;
    CDibImage m_preview;
};
