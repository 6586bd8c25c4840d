#pragma once
#include <QDialog>

class DeviceControls;
class QListWidget;

// The input window: the video inputs of the device; OK switches to the selected one.
class CInputDlg : public QDialog {
    Q_OBJECT
public:
    CInputDlg(DeviceControls& controls, QWidget* parent = nullptr);
    QListWidget* list() const { return m_list; }
    void accept() override;

private:
    DeviceControls& m_controls;
    QListWidget* m_list;
};
