#include "app/focus_area_aid.h"

#include "images/dib_image.h"
#include "settings/app_settings.h"
#include "view/direction_cursor.h"
#include "view/focus_dlg.h"

#include <QCursor>
#include <QWidget>

FocusAreaAid::FocusAreaAid(const Context& context) : m_ctx(context) {}

FocusAreaAid::~FocusAreaAid() {
    for (auto& [index, w] : m_windows)
        delete w;
}

void FocusAreaAid::arm() {
    m_areas.arm();
    m_ctx.surface->refreshWindow();
}

void FocusAreaAid::pictureChanged() {
    if (m_windows.empty() || !m_ctx.picture || m_ctx.picture->isNull())
        return;
    m_areas.updateValues(*m_ctx.picture);
    m_barColour = m_ctx.color->wave;
    repaintWindows();
}

void FocusAreaAid::repaintWindows() {
    for (auto& [index, w] : m_windows)
        w->update();
}

void FocusAreaAid::appendOverlay(OverlayList& out, const OverlayMapping& map) {
    for (std::size_t index : m_areas.finishClosing()) {
        const auto it = m_windows.find(index);
        if (it != m_windows.end()) {
            it->second->deleteLater();
            m_windows.erase(it);
        }
    }
    m_areas.appendOverlay(out, map, *m_ctx.color);
}

void FocusAreaAid::openWindow(std::size_t index) {
    auto* w = new CFocusDlg(m_areas, index, *m_ctx.focusSelect, m_barColour, m_ctx.window);
    w->setWindowTitle(QString::fromStdString(m_areas.caption()));
    m_windows[index] = w;
    QObject::connect(w, &CFocusDlg::scaleChanged, w, [this] { repaintWindows(); });
    PictureSurface* surface = m_ctx.surface;
    QObject::connect(w, &CFocusDlg::areaChanged, w, [surface] { surface->invalidatePicture(); });
    const IntRect& r = m_areas.areas()[index].rect;
    const QPoint corner = m_ctx.toScreen({static_cast<double>(r.left), static_cast<double>(r.top)});
    const FocusWindowPlace at = FocusWindowPosition(QCursor::pos().x(), corner.y());
    w->move(at.x, at.y);
    w->show();
    pictureChanged();
}

bool FocusAreaAid::press(const PictureMouse& e) {
    if (!e.inside)
        return false;
    if (e.left()) {
        if (!m_areas.press(e.image))
            return false;
        m_ctx.surface->invalidatePicture();
        return true;
    }
    if (e.right()) {
        const int cursor = m_areas.gripPress(e.image);
        if (!cursor)
            return false;
        m_ctx.surface->setCursorType(cursor);
        return true;
    }
    return false;
}

bool FocusAreaAid::release(const PictureMouse& e) {
    if (e.left()) {
        const std::optional<std::size_t> made = m_areas.release(e.image);
        if (!made)
            return false;
        openWindow(*made);
        m_ctx.surface->refreshWindow(); // the lamp goes out
        m_ctx.surface->invalidatePicture();
        return true; // the area's own release: no measuring point, no circle click
    }
    if (e.right()) {
        bool resizing = false;
        for (const FocusArea& a : m_areas.areas())
            resizing = resizing || a.state == FocusAreaState::Resizing;
        if (resizing) {
            m_areas.gripRelease();
            m_ctx.surface->setCursorType(CursorCode::Default);
            pictureChanged();
            m_ctx.surface->invalidatePicture();
        }
    }
    return false;
}

bool FocusAreaAid::move(const PictureMouse& e) {
    if (m_areas.track(e.image) || m_areas.gripMove(e.image)) {
        m_ctx.surface->invalidatePicture();
        return true;
    }
    return false;
}

bool FocusAreaAid::hover(const PictureMouse& e) {
    if (!e.inside)
        return false;
    for (const FocusArea& a : m_areas.areas()) {
        if (a.state == FocusAreaState::Empty || a.state == FocusAreaState::Closing)
            continue;
        const int grip = FocusGripAt(a.rect, static_cast<int>(e.image.x), static_cast<int>(e.image.y));
        if (grip != FocusGrip::None) {
            m_ctx.surface->setCursorType(FocusGripCursor(grip));
            return true;
        }
    }
    return false;
}
