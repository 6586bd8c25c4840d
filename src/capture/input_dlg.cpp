#include "capture/input_dlg.h"

#include "capture/device_controls.h"
#include "platform/language.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CInputDlg::CInputDlg(DeviceControls& controls, QWidget* parent) : QDialog(parent), m_controls(controls) {
    setWindowTitle(QString::fromUtf8(Tr("Video input", "映像入力")));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QString::fromUtf8(Tr("Inputs", "入力")));
    for (const std::string& name : controls.inputs())
        m_list->addItem(QString::fromStdString(name));
    m_list->setCurrentRow(std::max(0, controls.currentInput()));
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(Tr("Cancel", "キャンセル")));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInputDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CInputDlg::accept() {
    const int row = m_list->currentRow();
    if (row >= 0 && row != m_controls.currentInput() && !m_controls.setInput(row))
        qWarning("Mirelta: the camera did not switch to input %d", row);
    QDialog::accept();
}
