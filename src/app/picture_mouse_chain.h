#pragma once
#include "app/picture_mouse.h"

#include <vector>

// The picture's handlers in the order they are offered each event. Moves go first to
// the handler that holds the mouse, then, when none does, to each for hover feedback;
// after every move the system cursor shows again unless the crosshair replaces it.
class PictureMouseChain {
public:
    explicit PictureMouseChain(PictureSurface& surface) : m_surface(surface) {}

    // Appends a handler; it is offered events after those added before it.
    void add(PictureMouseHandler& handler) { m_handlers.push_back(&handler); }

    void press(const PictureMouse& e);
    void release(const PictureMouse& e);
    void doubleClick(const PictureMouse& e);
    void move(const PictureMouse& e);

private:
    PictureSurface& m_surface;
    std::vector<PictureMouseHandler*> m_handlers;
};
