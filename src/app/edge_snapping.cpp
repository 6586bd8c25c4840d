#include "app/edge_snapping.h"

#include "app/window_placement.h"
#include "app/picture_mouse.h"
#include "settings/app_settings.h"
#include "view/image_button.h"
#include "view/magnet_dlg.h"
#include "view/picture_hooks.h"

#include <QAbstractButton>

EdgeSnapping::EdgeSnapping(const EdgeSnappingContext& context, PictureHooks& hooks)
    : m_ctx(context), m_hooks(hooks) {
    // Off at every start, whatever the box showed.
    m_ctx.check->setChecked(false);
    // The box has no caption of its own; it is named after its button.
    if (m_ctx.check->accessibleName().isEmpty())
        m_ctx.check->setAccessibleName(m_ctx.button->accessibleName());
    m_snapper.setEnabled(false);
    connect(m_ctx.check, &QAbstractButton::toggled, this, [this](bool on) {
        m_snapper.setEnabled(on);
        m_ctx.surface->invalidatePicture(); // the figure being drawn follows at once
    });
    connect(m_ctx.button, &QAbstractButton::clicked, m_ctx.check, &QAbstractButton::toggle);
    connect(m_ctx.button, &ImageButton::rightClicked, this, &EdgeSnapping::ShowMagnetDialog);
    hooks.snapToEdge = [this](const DPOINT& p) { return m_snapper.snapped(p, *m_ctx.magnet); };
    hooks.edgePreview = [this] { return m_snapper.preview(*m_ctx.display, *m_ctx.magnet); };
}

EdgeSnapping::~EdgeSnapping() {
    // The hooks and the settings window call back into this object.
    m_hooks.snapToEdge = nullptr;
    m_hooks.edgePreview = nullptr;
    delete m_dialog.data();
}

CMagnetDlg* EdgeSnapping::magnetDialog() const { return m_dialog.data(); }

void EdgeSnapping::ShowMagnetDialog() {
    if (!m_dialog) {
        m_dialog = new CMagnetDlg(*m_ctx.magnet, [this] { m_ctx.surface->invalidatePicture(); }, m_ctx.window);
        PlaceNearCursor(*m_dialog, QPoint(-200, -100));
    }
    m_dialog->show();
    m_dialog->raise();
    m_ctx.surface->invalidatePicture();
}

void EdgeSnapping::resize(int width, int height) { m_snapper.resize(width, height); }

void EdgeSnapping::onFrame() { m_snapper.onFrame(*m_ctx.display, *m_ctx.magnet); }

void EdgeSnapping::onStillPicture() { m_snapper.onStillPicture(*m_ctx.display, *m_ctx.magnet); }
