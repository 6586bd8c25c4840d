#pragma once
#include <QDialog>

#include <map>
#include <string>

class CCapture;
class Profile;
class QCheckBox;
class QListWidget;

// What the device window works on: the capture, the settings file and the choices
// that the main window keeps for the run.
struct DeviceSetContext {
    CCapture* capture = nullptr;
    Profile* profile = nullptr;
    std::string* modelName = nullptr;                          // model of the current device
    std::map<std::string, std::string>* modelChoices = nullptr; // per friendly name, this run
    int* smartTee = nullptr;
    int* registerCamera = nullptr;
    int* mainDeviceIndex = nullptr;
};

// The device window (SET while the camera is stopped): the devices, their format and
// input windows, the Smart Tee and register-camera choices. Nothing restarts afterwards;
// the next LIVE start uses the new choices.
class CDeviceSetDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDeviceList = 1118;
    static constexpr int kCameraSetting = 1132;
    static constexpr int kPortSetting = 1133;
    static constexpr int kSmartTee = 1135;
    static constexpr int kRegisterDialog = 1245;

    CDeviceSetDlg(const DeviceSetContext& context, QWidget* parent = nullptr);

    QWidget* item(int id) const;
    QListWidget* list() const { return m_list; }

    void OnSelChange();
    void OnCameraSetting();
    void OnPortSetting();
    void accept() override; // OK ("反映")
    void reject() override; // CANCEL

private:
    // The section name and model rules for the selected device (asks for the model when
    // the device lists several and `ask`).
    std::string selectedSection(bool ask);
    void showModelRules(const std::string& name, bool enable);

    DeviceSetContext m_ctx;
    QListWidget* m_list;
    QCheckBox* m_smartTee;
    QCheckBox* m_registerDialog;
    int m_initialIndex;
    std::string m_friendlyName;
};
