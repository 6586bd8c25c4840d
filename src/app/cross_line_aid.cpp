#include "app/cross_line_aid.h"

#include "calib/calibration.h"
#include "view/cross_line_drawing.h"
#include "view/cross_line_set_dlg.h"
#include "view/cross_line_settings.h"

#include <QCursor>
#include <QWidget>

CrossLineAid::CrossLineAid(const CrossLineAidContext& context, const Profile& profile) : m_ctx(context) {
    LoadCrossLines(profile, m_model);
    m_window = new CCrossLineSetDlg(m_model, *m_ctx.choosers, m_ctx.window);
    m_window->setWindowFlags(Qt::Dialog);
    m_window->adjustSize();
    m_window->hide();
    m_handler = std::make_unique<CrossLineHandler>(m_model, *m_window, *m_ctx.surface, m_ctx.snap);
    PictureSurface* surface = m_ctx.surface;
    QObject::connect(m_window, &CCrossLineSetDlg::entriesChanged, m_window,
                     [surface] { surface->invalidatePicture(); });
}

CrossLineAid::~CrossLineAid() {
    // It edits the lists, which go with this.
    delete m_window;
}

void CrossLineAid::showNearCursor() {
    m_window->move(QCursor::pos() - QPoint(400, 100));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void CrossLineAid::calibrationChanged(const CALIBRATION* calibration) {
    if (calibration)
        m_window->setCalibration(calibration->mpp.x, calibration->mpp.y);
}

void CrossLineAid::appendOverlay(OverlayList& out, const OverlayMapping& map) const {
    const std::optional<DPOINT> cursor = m_ctx.cursor ? m_ctx.cursor() : std::nullopt;
    AppendCrossLines(out, map, m_model, cursor ? &*cursor : nullptr);
}

bool CrossLineAid::save(Profile& profile) const { return SaveCrossLines(profile, m_model); }
