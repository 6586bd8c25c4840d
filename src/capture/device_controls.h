#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One picture control of a capture device (brightness, contrast, gain, exposure,
// white balance ...), as the device states it.
struct DeviceControlInfo {
    enum class Kind { Integer, Boolean, Menu, Button };
    std::uint32_t id = 0;
    std::string name;
    Kind kind = Kind::Integer;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
    std::vector<std::pair<int, std::string>> menu; // Kind::Menu: value and text
    bool readOnly = false;
    bool inactive = false; // another control's setting makes this one have no effect now
};

// The controls and video inputs of one capture device. Used by the device and input
// windows on the user-interface thread; changes take effect while the camera runs.
class DeviceControls {
public:
    virtual ~DeviceControls() = default;
    virtual std::vector<DeviceControlInfo> controls() = 0;
    virtual bool getControl(std::uint32_t id, int& value) = 0;
    virtual bool setControl(std::uint32_t id, int value) = 0;
    virtual std::vector<std::string> inputs() = 0;
    // The current input's index, or -1 when the device cannot say.
    virtual int currentInput() = 0;
    virtual bool setInput(int index) = 0;
};
