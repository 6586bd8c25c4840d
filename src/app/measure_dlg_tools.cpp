// The main window's measuring tools: their buttons, what the tools and the editing
// read from the window, and the cursor over the picture while measuring.
#include "app/measure_dlg.h"

#include "app/main_dialog_template.h"
#include "app/tool_buttons.h"
#include "app/result_list_view.h"
#include "images/canvas.h"
#include "view/constrain_to_step.h"
#include "view/direction_cursor.h"

#include <QAbstractButton>

void CMeasureDlg::connectToolButtons() {
    for (const auto& [id, kind] : kToolButtons) {
        auto* b = qobject_cast<QAbstractButton*>(item(id));
        if (!b)
            continue;
        // The armed tool's button disarms it; another tool's button arms that tool.
        connect(b, &QAbstractButton::clicked, this,
                [this, tool = kind] { ResetTool(m_Measure.kind == tool ? 0 : tool); });
    }
    ResultRowsSink rows;
    rows.addRowsOfCurrent = [this] { m_resultList->AddRowsOfCurrent(); };
    rows.rewriteRowsOf = [this](const MEASURE* m) { m_resultList->RewriteRowsOf(m); };
    m_tools.setRows(rows);
    m_editor.setRows(rows);
    // The figure being drawn with SHIFT held is rounded as its point will be.
    m_pictureHooks.constrainToStep = [this](const DPOINT& p0, const DPOINT& cursor, bool sui) {
        return ConstrainToStep(p0, cursor, m_settings.color.angle, sui ? StepVariant::Sui : StepVariant::Line);
    };
}

void CMeasureDlg::ResetTool(int tool) {
    // A focus area being set up is cancelled here (focus indicator).
    m_tools.ResetTool(tool);
    update(); // the tool lamps follow
    for (const auto& [id, kind] : kToolButtons)
        if (QWidget* b = item(id))
            b->update();
    invalidatePicture();
}

ToolEnvironment CMeasureDlg::toolEnvironment(bool shift) {
    ToolEnvironment env;
    env.calibration = selectedCalibration();
    env.angleBaseLine = m_settings.color.anglebaseline;
    env.angleStep = m_settings.color.angle;
    env.picture = &m_display;
    env.shift = shift;
    env.snapToEdge = m_pictureHooks.snapToEdge;
    return env;
}

HitTestOptions CMeasureDlg::hitTestOptions() const {
    HitTestOptions o;
    o.zoom = m_view.zoom(viewGeometry());
    // Measured in the font the labels are drawn in, so the boxes match them.
    o.measure = [font = m_settings.color.font](const std::string& text) {
        const CanvasSize size = Canvas::measureText(font, text);
        return LabelExtent{size.width, size.height};
    };
    o.showAngle = m_settings.color.showangle != 0;
    return o;
}

void CMeasureDlg::setCrossCursor(bool on) { m_bCrossCursor = on; }

void CMeasureDlg::refreshWindow() { update(); }

void CMeasureDlg::showSystemCursor(bool show) {
    if (show == !m_cursorHidden)
        return;
    if (show) {
        setCursorType(m_CursorType);
    } else {
        setCursor(Qt::BlankCursor);
        m_cursorHidden = true;
    }
}
