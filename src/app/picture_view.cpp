#include "app/picture_view.h"

#include "app/picture_mouse_chain.h"
#include "images/dib_image.h"
#include "view/overlay_composer.h"
#include "view/overlay_layers.h"
#include "view/overlay_painter.h"
#include "view/picture_hooks.h"

#include <QMouseEvent>
#include <QPainter>

PictureView::PictureView(QWidget* window) : QWidget(window) {
    // Painted whole every time: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

ViewGeometry PictureView::viewGeometry() const {
    const QRect r = geometry();
    const CDibImage* p = m_content.picture;
    return {{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, p ? p->width() : 0,
            p ? p->height() : 0};
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const CDibImage* picture = m_content.picture;
    const PictureHooks* hooks = m_content.hooks;
    if (!picture || !m_content.view || picture->isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const ViewGeometry g = viewGeometry();
    const CDibImage* preview = hooks && hooks->edgePreview ? hooks->edgePreview() : nullptr;
    const OverlayInputs in = m_content.overlay ? m_content.overlay() : OverlayInputs{};
    if (!ComposePictureArea(m_composed, *picture, preview, *m_content.view, g, in, m_scratch)) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawImage(0, 0, m_composed);
    // What goes on the window only, never into a saved picture (the calibration cross).
    if (hooks && hooks->windowOnly && m_content.labelFont) {
        ViewGeometry local = g;
        local.area = {0, 0, g.area.width(), g.area.height()};
        m_windowOnly.clear();
        hooks->windowOnly(m_windowOnly, OverlayMapping::ForView(*m_content.view, local));
        PaintOverlay(painter, m_windowOnly, *m_content.labelFont);
    }
}

void PictureView::offer(Event kind, QPoint client, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    m_mouse = client;
    if (kind == Event::Press || kind == Event::Move)
        m_mouseSeen = true;
    if (!m_chain || !m_content.view)
        return;
    const ViewGeometry g = viewGeometry();
    PictureMouse e;
    e.client = client;
    e.image = m_content.view->WindowToImage(g, client.x(), client.y());
    e.inside = geometry().contains(client);
    e.button = button;
    e.modifiers = modifiers;
    switch (kind) {
    case Event::Press: m_chain->press(e); break;
    case Event::Release: m_chain->release(e); break;
    case Event::DoubleClick: m_chain->doubleClick(e); break;
    case Event::Move: m_chain->move(e); break;
    }
}

void PictureView::offerLocal(Event kind, QMouseEvent* event) {
    offer(kind, event->position().toPoint() + pos(), event->button(), event->modifiers());
}

void PictureView::mousePressEvent(QMouseEvent* event) { offerLocal(Event::Press, event); }
void PictureView::mouseReleaseEvent(QMouseEvent* event) { offerLocal(Event::Release, event); }
void PictureView::mouseDoubleClickEvent(QMouseEvent* event) { offerLocal(Event::DoubleClick, event); }
void PictureView::mouseMoveEvent(QMouseEvent* event) { offerLocal(Event::Move, event); }
