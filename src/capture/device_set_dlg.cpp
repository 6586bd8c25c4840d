#include "capture/device_set_dlg.h"

#include "capture/camera_models.h"
#include "capture/camera_select_dlg.h"
#include "capture/capture.h"
#include "capture/device_settings.h"
#include "platform/language.h"
#include "platform/profile.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A model rule that forces the option ticks the box, locks it and sets the option;
// otherwise the box shows the option and follows `enable`.
void ShowOption(QCheckBox& box, int& option, bool forced, bool enable) {
    if (forced) {
        box.setChecked(true);
        box.setEnabled(false);
        option = 1;
    } else {
        box.setChecked(option != 0);
        box.setEnabled(enable);
    }
}

} // namespace

CDeviceSetDlg::CDeviceSetDlg(const DeviceSetContext& context, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_initialIndex(context.capture->deviceIndex) {
    setWindowTitle(QString::fromUtf8(Tr("Device setting", "デバイス設定")));
    auto* layout = new QGridLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("item%1").arg(kDeviceList));
    m_list->setAccessibleName(QString::fromUtf8(Tr("Devices", "デバイス")));
    layout->addWidget(m_list, 0, 0, 4, 1);
    auto* camera = new QPushButton(QStringLiteral("Camera Setting"), this);
    camera->setObjectName(QStringLiteral("item%1").arg(kCameraSetting));
    auto* port = new QPushButton(QStringLiteral("Port Setting"), this);
    port->setObjectName(QStringLiteral("item%1").arg(kPortSetting));
    layout->addWidget(camera, 0, 1);
    layout->addWidget(port, 1, 1);
    m_smartTee = new QCheckBox(QStringLiteral("Use Smart Tee"), this);
    m_smartTee->setObjectName(QStringLiteral("item%1").arg(kSmartTee));
    m_registerDialog = new QCheckBox(QStringLiteral("Use dialog for 220KT4"), this);
    m_registerDialog->setObjectName(QStringLiteral("item%1").arg(kRegisterDialog));
    layout->addWidget(m_smartTee, 4, 0, 1, 2);
    layout->addWidget(m_registerDialog, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QString::fromUtf8(Tr("OK", "反映")), this);
    auto* cancel = new QPushButton(QStringLiteral("CANCEL"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 6, 0, 1, 2);
    for (QPushButton* b : {camera, port, ok, cancel})
        b->setAccessibleName(b->text());
    connect(camera, &QPushButton::clicked, this, &CDeviceSetDlg::OnCameraSetting);
    connect(port, &QPushButton::clicked, this, &CDeviceSetDlg::OnPortSetting);
    connect(ok, &QPushButton::clicked, this, &CDeviceSetDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CDeviceSetDlg::reject);

    CCapture& capture = *m_ctx.capture;
    std::vector<std::string> names;
    capture.EnumDeviceNames(names);
    for (const std::string& n : names)
        m_list->addItem(QString::fromStdString(n));
    if (capture.deviceIndex >= 0 && capture.deviceIndex < m_list->count()) {
        m_list->setCurrentRow(capture.deviceIndex);
        m_friendlyName = names[static_cast<std::size_t>(capture.deviceIndex)];
    }
    // The model rules for the device selected now, by its current model name.
    const std::string name = !m_ctx.modelName->empty() ? *m_ctx.modelName : m_friendlyName;
    showModelRules(name, true);
    // Only its state matters: it decides whether SET opens the image-setting window.
    m_registerDialog->hide();
    connect(m_list, &QListWidget::currentRowChanged, this, &CDeviceSetDlg::OnSelChange);
    resize(420, 260);
}

QWidget* CDeviceSetDlg::item(int id) const {
    return findChild<QWidget*>(QStringLiteral("item%1").arg(id));
}

void CDeviceSetDlg::showModelRules(const std::string& name, bool enable) {
    ShowOption(*m_smartTee, *m_ctx.smartTee, ForcesSmartTee(name), enable);
    ShowOption(*m_registerDialog, *m_ctx.registerCamera, IsRegisterCameraName(name), enable);
}

std::string CDeviceSetDlg::selectedSection(bool ask) {
    std::string& remembered = (*m_ctx.modelChoices)[m_friendlyName];
    const std::string section = ResolveDeviceSection(
        *m_ctx.profile, m_friendlyName, remembered,
        [this](const std::string&, const std::vector<std::string>& names, const std::string& pre) {
            return CCameraSelectDlg::Choose(this, names, pre);
        },
        ask);
    *m_ctx.modelName = remembered;
    return section;
}

void CDeviceSetDlg::OnSelChange() {
    CCapture& capture = *m_ctx.capture;
    capture.Teardown();
    const int row = m_list->currentRow();
    if (row < 0 || row > 9)
        return;
    capture.deviceIndex = row;
    capture.GetDeviceName(row, m_friendlyName);
    const std::string section = selectedSection(true);
    const DeviceSettings s = ReadDeviceSection(*m_ctx.profile, section);
    capture.width = s.width;
    capture.height = s.height;
    capture.frameInterval = s.frameInterval;
    capture.subtype = s.subtype;
    if (capture.width == -1 || capture.height == -1)
        capture.ShowFormatPage(this);
    showModelRules(section, true);
    // Opening the device once tells whether it is the register-controlled camera.
    capture.OpenDevice();
    capture.Teardown();
}

void CDeviceSetDlg::OnCameraSetting() {
    CCapture& capture = *m_ctx.capture;
    capture.Teardown();
    const int row = m_list->currentRow();
    if (row < 0 || row > 9)
        return;
    capture.deviceIndex = row;
    if (!capture.ShowFormatPage(this))
        return;
    DeviceSettings s;
    s.width = capture.width;
    s.height = capture.height;
    s.frameInterval = capture.frameInterval;
    s.subtype = capture.subtype;
    const std::string& section = m_ctx.modelName->empty() ? m_friendlyName : *m_ctx.modelName;
    if (!section.empty())
        WriteDeviceFormat(*m_ctx.profile, section, s);
}

void CDeviceSetDlg::OnPortSetting() {
    CCapture& capture = *m_ctx.capture;
    const int row = m_list->currentRow();
    if (row < 0 || row > 9)
        return;
    capture.deviceIndex = row;
    capture.Teardown();
    capture.ShowCrossbarPage(this);
}

void CDeviceSetDlg::accept() {
    CCapture& capture = *m_ctx.capture;
    capture.Teardown();
    const int row = m_list->currentRow();
    if (row >= 0 && row <= 9) {
        capture.deviceIndex = row;
        *m_ctx.mainDeviceIndex = row;
    }
    *m_ctx.smartTee = m_smartTee->isChecked() ? 1 : 0;
    *m_ctx.registerCamera = m_registerDialog->isChecked() ? 1 : 0;
    QDialog::accept();
}

void CDeviceSetDlg::reject() {
    m_ctx.capture->deviceIndex = m_initialIndex;
    m_ctx.capture->Teardown();
    QDialog::reject();
}
