#pragma once
#include "capture/device_controls.h"

#include <QDialog>

#include <cstdint>
#include <map>

// The device window: the picture controls of the camera (brightness, contrast, gain,
// exposure, white balance ... as the device offers them), each change applied at once.
class CDeviceControlsDlg : public QDialog {
    Q_OBJECT
public:
    CDeviceControlsDlg(const QString& deviceName, DeviceControls& controls, QWidget* parent = nullptr);

    // The editing widget of a control (slider, check box, combo box or button), by id.
    QWidget* editor(std::uint32_t id) const;
    // Sets every control to its default value.
    void restoreDefaults();

private:
    void apply(std::uint32_t id, int value);
    // Reads every control back: values the device adjusted, controls another made inactive.
    void refresh();

    DeviceControls& m_controls;
    std::map<std::uint32_t, QWidget*> m_editors;
    std::map<std::uint32_t, DeviceControlInfo> m_info;
    bool m_refreshing = false;
};
