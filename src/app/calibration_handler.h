#pragma once
#include "app/picture_mouse.h"

class CCalibrationSet;

// While the calibration window is open: right-button drags of its reference cross and
// of the automatic-calibration rectangle. A press it takes is not offered on, so no
// measurement starts an edit under the cross.
class CalibrationHandler : public PictureMouseHandler {
public:
    CalibrationHandler(CCalibrationSet& window, PictureSurface& surface) : m_window(window), m_surface(surface) {}

    bool press(const PictureMouse& e) override;
    bool release(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;

private:
    bool dragging() const;

    CCalibrationSet& m_window;
    PictureSurface& m_surface;
};
