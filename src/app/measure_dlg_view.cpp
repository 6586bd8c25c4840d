// The main window's picture view: mapping, magnification and the display settings.
#include "app/measure_dlg.h"

#include "app/main_dialog_template.h"
#include "app/window_placement.h"
#include "calib/picture_layout.h"
#include "view/color_set.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

QRect CMeasureDlg::pictureRect() const {
    const QWidget* frame = item(idc::Picture);
    return frame ? frame->geometry() : QRect();
}

ViewGeometry CMeasureDlg::viewGeometry() const {
    const QRect r = pictureRect();
    return {{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, m_display.width(),
            m_display.height()};
}

DPOINT CMeasureDlg::WindowToImage(const QPointF& client) const {
    return m_view.WindowToImage(viewGeometry(), client.x(), client.y());
}

DPOINT CMeasureDlg::ImageToWindow(const DPOINT& image) const {
    return m_view.ImageToWindow(viewGeometry(), image);
}

void CMeasureDlg::invalidatePicture() {
    if (QWidget* frame = item(idc::Picture))
        frame->update();
}

void CMeasureDlg::SetMagnification(int index) {
    if (!item(idc::Picture) || index < 0 || index >= kMagnificationCount)
        return;
    const QRect old = pictureRect();
    const IntRect next = PictureAreaRect(pictureLayoutInput(index));
    m_view.ChangeMagnification(index, old.width(), old.height(), next.width(), next.height(),
                               m_display.width(), m_display.height());
    setFocus();
    layoutPicture();
    invalidatePicture();
}

void CMeasureDlg::OnColor() {
    if (m_colorSet) {
        // Already open: only brought to view.
        m_colorSet->show();
        m_colorSet->raise();
        m_colorSet->activateWindow();
        return;
    }
    ColorSetContext c;
    c.color = &m_settings.color;
    c.scaleData = &m_settings.m_ScaleData;
    c.displayImage = &m_display;
    c.profile = m_profile.get();
    c.choosers = m_choosers;
    c.prompt = m_prompt;
    c.sheet = &m_sheet;
    c.sheet2x = &m_sheet2x;
    c.repaintMain = [this] { invalidatePicture(); };
    c.focusToggled = [this] { emit focusLineSwitched(); };
    m_colorSet = new CCColorSet(c, this);
    m_colorSet->adjustSize();
    PlaceNearCursor(*m_colorSet, QPoint(-300, -150));
    m_colorSet->show();
    invalidatePicture();
}

CCColorSet* CMeasureDlg::colorSetWindow() const { return m_colorSet; }
