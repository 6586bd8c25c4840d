#pragma once
#include "app/picture_mouse.h"

struct ColorSettings;

// The focus line on the picture: a right press within reach of it holds it, moves
// inside the picture carry it to the mouse's row, the right release lets it go. While
// it is on, the mouse within reach shows the vertical resize cursor.
class FocusLineHandler : public PictureMouseHandler {
public:
    FocusLineHandler(ColorSettings& color, PictureSurface& surface) : m_color(color), m_surface(surface) {}

    bool press(const PictureMouse& e) override;
    bool release(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;
    bool hover(const PictureMouse& e) override;

private:
    ColorSettings& m_color;
    PictureSurface& m_surface;
};
