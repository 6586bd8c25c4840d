#pragma once
#include "app/picture_mouse.h"

struct ScaleData;

// The scale bar: a left press on it grabs it (and does nothing else), moves drag it
// within the picture, the release or leaving the picture lets it go.
class ScaleBarHandler : public PictureMouseHandler {
public:
    ScaleBarHandler(ScaleData& bar, PictureSurface& surface) : m_bar(bar), m_surface(surface) {}

    bool press(const PictureMouse& e) override;
    bool release(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;
    bool hover(const PictureMouse& e) override;

private:
    ScaleData& m_bar;
    PictureSurface& m_surface;
};
