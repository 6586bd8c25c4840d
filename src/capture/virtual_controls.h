#pragma once
#include "capture/device_controls.h"

#include <memory>

class VirtualCamera;

// The picture controls of a virtual camera, shown in the device window like a real
// camera's: brightness, contrast, red and blue gain, noise and
// the lens' focus. One input, "Camera".
class VirtualControls : public DeviceControls {
public:
    enum Id : std::uint32_t { Brightness = 1, Contrast, RedGain, BlueGain, Noise, Focus };

    explicit VirtualControls(std::shared_ptr<VirtualCamera> camera);
    std::vector<DeviceControlInfo> controls() override;
    bool getControl(std::uint32_t id, int& value) override;
    bool setControl(std::uint32_t id, int value) override;
    std::vector<std::string> inputs() override { return {"Camera"}; }
    int currentInput() override { return 0; }
    bool setInput(int index) override { return index == 0; }

private:
    std::shared_ptr<VirtualCamera> m_camera;
};
