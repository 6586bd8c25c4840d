// The main window's paint of the picture area and the thumbnail strip.
#include "app/measure_dlg.h"

#include "app/main_dialog_template.h"
#include "app/picture_view.h"
#include "calib/calibration.h"
#include "calib/calibration_set.h"
#include "platform/string_table.h"
#include "view/overlay_composer.h"
#include "view/overlay_layers.h"
#include "view/overlay_painter.h"
#include "view/thumbnail_strip_painter.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>

OverlayInputs CMeasureDlg::overlayInputs() {
    OverlayInputs in;
    in.measurements = &m_MeasureChain;
    in.working = &m_Measure;
    in.color = &m_settings.color;
    in.scaleBar = &m_settings.m_ScaleData;
    const DPOINT mouse = WindowToImage(mousePosition());
    in.hasCursor = m_picture->mouseSeen();
    in.cursor.at = Snapped(m_pictureHooks.snapToEdge, mouse);
    if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)
        in.cursor.constrain = m_pictureHooks.constrainToStep;
    // The crosshair follows the mouse itself, not the snapped point.
    in.crossCursor = m_bCrossCursor;
    in.crossCursorAt = mouse;
    in.pictureLayer = m_pictureHooks.focusProfile;
    in.crossLines = m_pictureHooks.crossLines;
    in.focusAreas = m_pictureHooks.focusAreas;
    return in;
}

void CMeasureDlg::connectPicture() {
    PictureView::Content content;
    content.picture = &m_display;
    content.view = &m_view;
    content.hooks = &m_pictureHooks;
    content.overlay = [this] { return overlayInputs(); };
    content.labelFont = &m_settings.color.font;
    m_picture->setContent(std::move(content));
    // The calibration cross while the calibration window is open.
    m_pictureHooks.windowOnly = [this](OverlayList& out, const OverlayMapping& map) {
        if (m_CalibrationSet && m_CalibrationSet->isOpen())
            if (const CALIBRATION* c = m_CalibrationSet->record)
                AppendCalibrationOverlay(out, map, *c, m_settings.m_CalibSet, m_settings.color.line,
                                         m_settings.color.linesize);
    };
}

int CMeasureDlg::DrawOverlayOntoImage(CDibImage& image) {
    return ::DrawOverlayOntoImage(image, overlayInputs());
}

void CMeasureDlg::paintThumbnailStrip(QPainter& painter) {
    QWidget* box = item(idc::StripGroup);
    if (!m_pictureHooks.thumbnails || !box || !box->isVisible())
        return;
    const std::vector<StripEntry> entries = m_pictureHooks.thumbnails();
    if (entries.empty())
        return;
    const QRect r = box->geometry();
    StripMetrics m;
    m.cellWidth = ScaleX(140);
    m.cellHeight = ScaleY(105);
    m.margin = ScaleX(8);
    m.gap = ScaleX(6);
    m.top = ScaleY(14);
    QFont font(QString::fromUtf8(LoadStr(strid::DialogFont)));
    font.setPointSize(11);
    const auto* scroll = itemAs<QScrollBar>(idc::ThumbScroll);
    PaintThumbnailStrip(painter, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, m,
                        scroll ? scroll->value() : 0, entries, m_tile, font);
}
