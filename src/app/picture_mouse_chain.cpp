#include "app/picture_mouse_chain.h"

void PictureMouseChain::press(const PictureMouse& e) {
    for (PictureMouseHandler* h : m_handlers)
        if (h->press(e))
            return;
}

void PictureMouseChain::release(const PictureMouse& e) {
    for (PictureMouseHandler* h : m_handlers)
        if (h->release(e))
            return;
}

void PictureMouseChain::doubleClick(const PictureMouse& e) {
    for (PictureMouseHandler* h : m_handlers)
        if (h->doubleClick(e))
            return;
}

void PictureMouseChain::move(const PictureMouse& e) {
    bool taken = false;
    for (PictureMouseHandler* h : m_handlers)
        if ((taken = h->move(e)))
            break;
    if (!taken)
        for (PictureMouseHandler* h : m_handlers)
            if (h->hover(e))
                break;
    if (!m_surface.crossCursor())
        m_surface.showSystemCursor(true);
}
