#include "capture/device_controls_dlg.h"

#include "platform/language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

CDeviceControlsDlg::CDeviceControlsDlg(const QString& deviceName, DeviceControls& controls, QWidget* parent)
    : QDialog(parent), m_controls(controls) {
    setWindowTitle(deviceName + QString::fromUtf8(Tr(" Properties", " プロパティ")));
    auto* layout = new QVBoxLayout(this);
    auto* area = new QScrollArea(this);
    area->setWidgetResizable(true);
    auto* page = new QWidget(area);
    auto* form = new QFormLayout(page);
    const auto list = controls.controls();
    if (list.empty())
        form->addRow(new QLabel(QString::fromUtf8(Tr("This camera has no settings.", "このカメラに設定項目はありません。")), page));
    for (const DeviceControlInfo& c : list) {
        m_info[c.id] = c;
        const QString name = QString::fromStdString(c.name);
        QWidget* editor = nullptr;
        switch (c.kind) {
        case DeviceControlInfo::Kind::Integer: {
            auto* row = new QWidget(page);
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            auto* slider = new QSlider(Qt::Horizontal, row);
            auto* spin = new QSpinBox(row);
            slider->setRange(c.minimum, c.maximum);
            slider->setSingleStep(c.step);
            spin->setRange(c.minimum, c.maximum);
            spin->setSingleStep(c.step);
            slider->setValue(c.value);
            spin->setValue(c.value);
            slider->setAccessibleName(name);
            h->addWidget(slider, 1);
            h->addWidget(spin);
            connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
            connect(spin, qOverload<int>(&QSpinBox::valueChanged), slider, &QSlider::setValue);
            connect(slider, &QSlider::valueChanged, this, [this, id = c.id](int v) { apply(id, v); });
            form->addRow(name, row);
            editor = slider;
            break;
        }
        case DeviceControlInfo::Kind::Boolean: {
            auto* box = new QCheckBox(page);
            box->setChecked(c.value != 0);
            box->setAccessibleName(name);
            connect(box, &QCheckBox::toggled, this, [this, id = c.id](bool on) { apply(id, on ? 1 : 0); });
            form->addRow(name, box);
            editor = box;
            break;
        }
        case DeviceControlInfo::Kind::Menu: {
            auto* combo = new QComboBox(page);
            for (const auto& [value, text] : c.menu) {
                combo->addItem(QString::fromStdString(text), value);
                if (value == c.value)
                    combo->setCurrentIndex(combo->count() - 1);
            }
            combo->setAccessibleName(name);
            connect(combo, qOverload<int>(&QComboBox::activated), this,
                    [this, combo, id = c.id](int index) { apply(id, combo->itemData(index).toInt()); });
            form->addRow(name, combo);
            editor = combo;
            break;
        }
        case DeviceControlInfo::Kind::Button: {
            auto* button = new QPushButton(name, page);
            connect(button, &QPushButton::clicked, this, [this, id = c.id] { apply(id, 1); });
            form->addRow(QString(), button);
            editor = button;
            break;
        }
        }
        editor->setEnabled(!c.readOnly && !c.inactive);
        m_editors[c.id] = editor;
    }
    area->setWidget(page);
    layout->addWidget(area);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::RestoreDefaults, this);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setText(QString::fromUtf8(Tr("Default", "標準に戻す")));
    buttons->button(QDialogButtonBox::Close)->setText(QString::fromUtf8(Tr("Close", "閉じる")));
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            &CDeviceControlsDlg::restoreDefaults);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(460, std::min(120 + 40 * static_cast<int>(list.size()), 640));
}

QWidget* CDeviceControlsDlg::editor(std::uint32_t id) const {
    const auto it = m_editors.find(id);
    return it == m_editors.end() ? nullptr : it->second;
}

void CDeviceControlsDlg::apply(std::uint32_t id, int value) {
    if (m_refreshing)
        return;
    if (!m_controls.setControl(id, value))
        qWarning("Mirelta: the camera refused value %d for control %u", value, id);
    refresh();
}

void CDeviceControlsDlg::restoreDefaults() {
    for (const auto& [id, info] : m_info)
        if (!info.readOnly && info.kind != DeviceControlInfo::Kind::Button)
            m_controls.setControl(id, info.defaultValue);
    refresh();
}

void CDeviceControlsDlg::refresh() {
    m_refreshing = true;
    for (const DeviceControlInfo& c : m_controls.controls()) {
        QWidget* w = editor(c.id);
        if (!w)
            continue;
        if (auto* slider = qobject_cast<QSlider*>(w))
            slider->setValue(c.value);
        else if (auto* box = qobject_cast<QCheckBox*>(w))
            box->setChecked(c.value != 0);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setCurrentIndex(std::max(0, combo->findData(c.value)));
        w->setEnabled(!c.readOnly && !c.inactive);
    }
    m_refreshing = false;
}
