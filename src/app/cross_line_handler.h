#pragma once
#include "app/picture_mouse.h"
#include "view/cross_line_drag.h"

#include <functional>

class CCrossLineSetDlg;
struct CrossLineModel;

// Cross lines on the picture: right-button drags of crosses and circle rims, and the
// circle clicks every left release on the picture gives the second list. It never takes
// a release, so the handlers after it see the release too.
class CrossLineHandler : public PictureMouseHandler {
public:
    using Snap = std::function<DPOINT(const DPOINT&)>;
    CrossLineHandler(CrossLineModel& model, CCrossLineSetDlg& window, PictureSurface& surface,
                     std::function<Snap()> snap)
        : m_model(model), m_window(window), m_surface(surface), m_snap(std::move(snap)) {}

    bool press(const PictureMouse& e) override;
    bool release(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;
    bool hover(const PictureMouse& e) override;

    bool dragging() const { return m_drag.dragging(); }

private:
    CrossLineModel& m_model;
    CCrossLineSetDlg& m_window;
    PictureSurface& m_surface;
    std::function<Snap()> m_snap;
    CrossLineDrag m_drag;
};
