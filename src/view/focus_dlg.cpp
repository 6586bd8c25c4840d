#include "view/focus_dlg.h"

#include "view/focus_areas.h"
#include "view/focus_bars.h"

#include <QComboBox>
#include <algorithm>
#include <QEvent>
#include <QPainter>

namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

} // namespace

CFocusDlg::CFocusDlg(FocusAreas& areas, std::size_t index, std::int32_t& focusSelect, const COLORREF& barColour,
                     QWidget* parent)
    : QDialog(parent), m_areas(areas), m_index(index), m_focusSelect(focusSelect), m_barColour(barColour) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kFocusWindowWidth, kFocusWindowHeight);
    m_scale = new QComboBox(this);
    m_scale->setObjectName(QStringLiteral("item1234"));
    m_scale->setAccessibleName(QStringLiteral("Scale"));
    for (const std::string& row : FocusScaleRows())
        m_scale->addItem(QString::fromStdString(row));
    m_scale->setCurrentIndex(std::clamp<int>(m_focusSelect, 0, 9));
    const int h = m_scale->sizeHint().height();
    m_scale->setGeometry(0, height() - h, width(), h);
    connect(m_scale, qOverload<int>(&QComboBox::activated), this, [this](int row) {
        m_areas.changeScale(m_index, row, m_focusSelect);
        emit scaleChanged();
    });
}

QWidget* CFocusDlg::item(int id) const { return id == 1234 ? m_scale : nullptr; }

std::int32_t CFocusDlg::value() const {
    return m_index < m_areas.areas().size() ? m_areas.areas()[m_index].value : 0;
}

std::int32_t CFocusDlg::peak() const {
    return m_index < m_areas.areas().size() ? m_areas.areas()[m_index].peak : 0;
}

void CFocusDlg::reject() {
    m_areas.close(m_index);
    hide();
    emit areaChanged();
}

void CFocusDlg::paintEvent(QPaintEvent*) {
    if (m_index >= m_areas.areas().size())
        return;
    const FocusArea& a = m_areas.areas()[m_index];
    const FocusWindowBars bars =
        FocusBarsFor(width(), height(), m_scale->height(), a.value, a.peak, m_focusSelect, m_barColour);
    QPainter p(this);
    const auto fill = [&p](const IntRect& r, COLORREF c) {
        if (r.width() > 0 && r.height() > 0)
            p.fillRect(QRect(r.left, r.top, r.width(), r.height()), ToQColor(c));
    };
    fill(bars.peak, bars.peakColour);
    fill(bars.value, bars.valueColour);
}

void CFocusDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        m_areas.setActive(m_index, isActiveWindow());
        emit areaChanged();
    }
}
