#pragma once
#include "app/picture_mouse.h"
#include "calib/view_mapping.h"

#include <functional>

// Panning the magnified picture: a left press on the picture that nothing before took
// starts it, moves inside the picture scroll, leaving the picture or the release ends it.
class PanHandler : public PictureMouseHandler {
public:
    using Geometry = std::function<ViewGeometry()>;
    PanHandler(ViewMapping& view, PictureSurface& surface, Geometry geometry)
        : m_view(view), m_surface(surface), m_geometry(std::move(geometry)) {}

    bool press(const PictureMouse& e) override;
    bool release(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;

    bool panning() const { return m_bImageDrag != 0; }

private:
    ViewMapping& m_view;
    PictureSurface& m_surface;
    Geometry m_geometry;
    int m_bImageDrag = 0;
    DPOINT m_ImageDragOrigin;
};
