#include "capture/camera_select_dlg.h"

#include "platform/language.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CCameraSelectDlg::CCameraSelectDlg(const std::vector<std::string>& names, const std::string& preselect,
                                   QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(Tr("Select camera", "カメラ選択")));
    auto* layout = new QVBoxLayout(this);
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("item%1").arg(kModelList));
    m_list->setAccessibleName(QString::fromUtf8(Tr("Camera", "カメラ")));
    QStringList items;
    for (const std::string& n : names)
        items << QString::fromStdString(n);
    items.sort(); // the list is a sorted drop-down list
    m_list->addItems(items);
    const int pre = preselect.empty() ? -1 : m_list->findText(QString::fromStdString(preselect));
    m_list->setCurrentIndex(pre >= 0 ? pre : 0);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    setMinimumWidth(280);
}

std::string CCameraSelectDlg::chosenName() const { return m_list->currentText().toStdString(); }

std::string CCameraSelectDlg::Choose(QWidget* parent, const std::vector<std::string>& names,
                                     const std::string& preselect) {
    CCameraSelectDlg dlg(names, preselect, parent);
    dlg.exec(); // closing the window counts like OK
    return dlg.chosenName();
}
