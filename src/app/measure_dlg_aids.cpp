// The aids on the picture, each registered here in one place: what it keeps, its hook,
// its button, its settings. Their mouse handlers take their places in buildPictureMouse.
#include "app/measure_dlg.h"

#include "app/cross_line_aid.h"
#include "app/focus_area_aid.h"
#include "capture/live_view.h"
#include "view/image_button.h"
#include "app/focus_line_handler.h"
#include "view/focus_profile.h"
#include "app/main_dialog_template.h"
#include "view/cross_line_set_dlg.h"
#include "view/tool_environment.h"

#include <QAbstractButton>

void CMeasureDlg::connectCrossLines() {
    CrossLineAidContext c;
    c.window = this;
    c.choosers = m_choosers;
    c.surface = this;
    c.snap = [this] { return m_pictureHooks.snapToEdge; };
    c.cursor = [this]() -> std::optional<DPOINT> {
        if (!m_picture->mouseSeen() || !pictureRect().contains(mousePosition()))
            return std::nullopt;
        return Snapped(m_pictureHooks.snapToEdge, WindowToImage(mousePosition()));
    };
    m_crossLines = std::make_unique<CrossLineAid>(c, *m_profile);
    m_crossLines->calibrationChanged(selectedCalibration());
    m_pictureHooks.crossLines = [this](OverlayList& out, const OverlayMapping& map) {
        m_crossLines->appendOverlay(out, map);
    };
    connect(this, &CMeasureDlg::calibrationChanged, this,
            [this] { m_crossLines->calibrationChanged(selectedCalibration()); });
    connect(this, &CMeasureDlg::settingsSaving, this, [this](Profile& p) { m_crossLines->save(p); });
    if (auto* b = qobject_cast<QAbstractButton*>(item(idc::CrossLine)))
        connect(b, &QAbstractButton::clicked, this, [this] { m_crossLines->showNearCursor(); });
}

void CMeasureDlg::connectFocusLine() {
    m_focusProfile = std::make_unique<FocusProfile>();
    m_focusLine = std::make_unique<FocusLineHandler>(m_settings.color, *this);
    // Computed once per picture shown, and again when the line moves or is switched on;
    // other paints (mouse moves over a frozen picture) reuse it. Never saved.
    m_pictureHooks.focusProfile = [this](OverlayList& out, const OverlayMapping& map) {
        const ColorSettings& color = m_settings.color;
        const int wanted = color.focusflg != 0 ? color.focuspos : -1;
        if (m_focusPictureChanged || m_focusProfile->row() != wanted) {
            m_focusProfile->update(m_display, color);
            m_focusPictureChanged = false;
        }
        if (m_focusProfile->row() < 0)
            return;
        const QRect area = pictureRect();
        AppendFocusProfile(out, map, area.width(), area.height(), *m_focusProfile, color);
    };
    const auto pictureChanged = [this] { m_focusPictureChanged = true; };
    if (m_live) {
        connect(m_live, &LiveView::frameShown, this, pictureChanged);
        connect(m_live, &LiveView::pictureResized, this, pictureChanged);
    }
    connect(this, &CMeasureDlg::displayImageReplaced, this, pictureChanged);
    connect(this, &CMeasureDlg::focusLineSwitched, this, [this] { m_focusProfile->clearPeak(); });
}

void CMeasureDlg::connectFocusAreas() {
    FocusAreaAid::Context c;
    c.window = this;
    c.surface = this;
    c.color = &m_settings.color;
    c.focusSelect = &m_settings.FocusSelect;
    c.picture = &m_display;
    c.toScreen = [this](const DPOINT& image) {
        const DPOINT p = ImageToWindow(image);
        return mapToGlobal(QPoint(static_cast<int>(p.x), static_cast<int>(p.y)));
    };
    m_focusAreas = std::make_unique<FocusAreaAid>(c);
    m_pictureHooks.focusAreas = [this](OverlayList& out, const OverlayMapping& map) {
        m_focusAreas->appendOverlay(out, map);
    };
    if (auto* b = imageButton(idc::FocusArea)) {
        b->setGreenLampSource([this] { return m_focusAreas->lampOn(); });
        connect(b, &QAbstractButton::clicked, this, [this] {
            ResetTool(0);
            m_focusAreas->arm();
        });
    }
    if (m_live)
        connect(m_live, &LiveView::frameShown, this, [this] { m_focusAreas->pictureChanged(); });
    connect(this, &CMeasureDlg::displayImageReplaced, this, [this] { m_focusAreas->pictureChanged(); });
}
