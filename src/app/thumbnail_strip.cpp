#include "app/thumbnail_strip.h"

#include "app/main_dialog_template.h"
#include "app/dpi_scale.h"
#include "app/picture_mouse.h"
#include "capture/camera_state.h"
#include "view/direction_cursor.h"
#include "platform/popup_menu.h"
#include "platform/prompt.h"
#include "images/picture_loader.h"
#include "images/thumbnail_commands.h"
#include "images/thumbnail_dlg.h"
#include "images/thumbnail_store.h"
#include "platform/language.h"
#include "platform/path_parts.h"

#include <QCursor>
#include <QMouseEvent>
#include <QScrollBar>

#include <cstdlib>
#include <utility>

ThumbnailStrip::ThumbnailStrip(ThumbnailStripContext context, CThumbNail& list, Prompt& prompt, PopupMenu& menu)
    : m_ctx(std::move(context)), m_list(list), m_prompt(prompt), m_menu(menu) {
    m_ctx.box->setMouseTracking(true); // the cursor changes over the cells
    m_ctx.box->installEventFilter(this);
    m_ctx.scroll->setSingleStep(1);
}

void ThumbnailStrip::invalidate() { m_ctx.window->update(m_ctx.box->geometry()); }

IntRect ThumbnailStrip::box() const {
    const QRect r = m_ctx.box->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

StripMetrics ThumbnailStrip::metrics() const {
    StripMetrics m;
    m.cellWidth = m_ctx.scale->x(m_list.thumbWidth);
    m.cellHeight = m_ctx.scale->y(m_list.thumbHeight);
    m.margin = m_ctx.scale->x(8);
    m.gap = m_ctx.scale->x(6);
    m.top = m_ctx.scale->y(14);
    return m;
}

int ThumbnailStrip::firstShown() const {
    return m_ctx.scroll->value();
}

std::vector<StripEntry> ThumbnailStrip::entries() const {
    std::vector<StripEntry> out;
    out.reserve(static_cast<std::size_t>(m_list.GetCount()));
    for (const THUMBNAIL* t = m_list.At(0); t; t = t->next) {
        const PathParts parts = SplitPath(t->path);
        out.push_back({&t->image, parts.name + parts.extension});
    }
    return out;
}

int ThumbnailStrip::entryAt(QPoint client) const {
    return StripEntryAt(box(), metrics(), firstShown(), m_list.GetCount(), client.x(), client.y());
}

void ThumbnailStrip::UpdateStripScroll() {
    auto* scroll = m_ctx.scroll;
    const StripScroll s = StripScrollFor(StripVisibleCount(box(), metrics()), m_list.GetCount());
    // A range of 0 ... count with a page of `visible` leaves the last position at
    // count - visible + 1; the bar keeps its position within it.
    scroll->setRange(0, s.lastPosition());
    scroll->setPageStep(s.page);
    scroll->setVisible(s.shown && !m_ctx.box->isHidden());
}

void ThumbnailStrip::OpenThumbnail(int i) {
    const THUMBNAIL* entry = m_list.At(i);
    if (!entry)
        return; // an index past the list must not open the last entry instead
    m_list.MoveTo(i);
    const std::string path = entry->path;
    stopCamera();
    CDibImage picture;
    if (LoadPictureWithQt(path, picture)) {
        show(picture);
    } else {
        // The picture shown stays; an empty one would leave nothing to measure on.
        reportUnreadable(path);
        m_ctx.showPicture(nullptr);
    }
}

bool ThumbnailStrip::OpenPictureFile(const std::string& path) {
    CDibImage picture;
    if (!LoadPictureWithQt(path, picture)) {
        reportUnreadable(path);
        return false;
    }
    stopCamera();
    show(picture);
    return true;
}

void ThumbnailStrip::stopCamera() {
    // LIVE stops the camera: the picture opened is measured frozen.
    m_ctx.camera->state().stopped = false;
    m_ctx.camera->OnLive();
}

void ThumbnailStrip::show(CDibImage& picture) {
    m_ctx.showPicture(&picture);
    m_ctx.showPicture(nullptr);
}

void ThumbnailStrip::reportUnreadable(const std::string& path) {
    m_prompt.ask(m_ctx.window, UnreadablePictureText(path), Tr("error", "エラー"), PromptButtons::Ok,
                 PromptIcon::Warning);
}

std::string UnreadablePictureText(const std::string& path) {
    return Tr("The picture could not be read.\n", "画像を読み込めませんでした。\n") + path;
}

void ThumbnailStrip::onCommand(int command) {
    if (command == CThumbnailDlg::kCommandOpen) {
        OpenThumbnail(m_selected);
        return;
    }
    if (command != CThumbnailDlg::kCommandRemove && command != CThumbnailDlg::kCommandTrash)
        return;
    const auto action = command == CThumbnailDlg::kCommandRemove ? ThumbnailFileAction::Remove
                                                                 : ThumbnailFileAction::Trash;
    const THUMBNAIL* entry = m_list.At(m_selected);
    const std::string path = entry ? entry->path : std::string();
    if (RemoveThumbnailFile(m_list, m_selected, action) == ThumbnailFileResult::FileKept)
        m_prompt.ask(m_ctx.window, ThumbnailFileKeptText(action, path), Tr("error", "エラー"), PromptButtons::Ok,
                     PromptIcon::Warning);
    UpdateStripScroll();
    invalidate();
}

void ThumbnailStrip::OnThumb() {
    CThumbnailDlg browser(&m_list, m_ctx.tile, m_prompt, m_menu, m_ctx.window);
    const int result = browser.exec();
    // The browser may have removed entries.
    UpdateStripScroll();
    invalidate();
    if (result - CThumbnailDlg::kOpenResultBase >= 0)
        OpenThumbnail(result - CThumbnailDlg::kOpenResultBase);
}

bool ThumbnailStrip::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonDblClick)
        return QObject::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* box = static_cast<QWidget*>(watched);
    const QPoint client = box->mapTo(m_ctx.window, mouse->position().toPoint());
    const int i = entryAt(client);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton && i >= 0) {
            m_bThumbDrag = 1;
            m_ThumbDragX = client.x();
            m_ctx.surface->setCursorType(CursorCode::Hand);
            return true;
        }
        if (mouse->button() == Qt::RightButton && i >= 0) {
            m_selected = i;
            onCommand(m_menu.exec(m_ctx.window, {QCursor::pos().x(), QCursor::pos().y()},
                                  {{CThumbnailDlg::kCommandOpen, "Open"},
                                   {CThumbnailDlg::kCommandRemove, "Remove"},
                                   {CThumbnailDlg::kCommandTrash, "Trash box"}}));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton)
            m_bThumbDrag = 0;
        break;
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton && i >= 0) {
            m_ctx.surface->setCursorType(CursorCode::Hand);
            OpenThumbnail(i);
            return true;
        }
        break;
    case QEvent::MouseMove: {
        if (i >= 0)
            m_ctx.surface->setCursorType(CursorCode::Hand);
        else if (m_ctx.surface->cursorType() == CursorCode::Hand && !m_bThumbDrag)
            m_ctx.surface->setCursorType(CursorCode::Default);
        const StripMetrics m = metrics();
        const int pitch = m.cellWidth + m.gap;
        if (m_bThumbDrag && std::abs(m_ThumbDragX - client.x()) > pitch) {
            // One thumbnail per cell width dragged: forward when the mouse went left.
            auto* scroll = m_ctx.scroll;
            scroll->setValue(scroll->value() + (m_ThumbDragX - client.x() > 0 ? 1 : -1));
            m_ThumbDragX = client.x();
            invalidate();
        }
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
