#pragma once
#include "capture/controller_device.h"
#include "capture/sensor_description.h"

#include <cstdint>
#include <string_view>

// One value of the controller's information: whether it exists and its current value,
// range, step and default.
struct ControlInfo {
    bool supported = false;
    int current = 0;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
};

struct GainInfo {
    ControlInfo red, green, blue;
    bool awbExists = false;
    bool awbOn = false;
};

// The register camera's controller: its sensor registers and its video-processing values.
// Every operation fails (false) while no camera is attached. All run on the user-interface
// thread, each under one process-wide lock.
class C5U87xCtl {
  public:
    // Page-qualified writes are repeated this often until the register reads back.
    static constexpr int kPageWriteAttempts = 10;

    explicit C5U87xCtl(ControllerOpener opener = {});
    ~C5U87xCtl();
    C5U87xCtl(const C5U87xCtl&) = delete;
    C5U87xCtl& operator=(const C5U87xCtl&) = delete;

    // Opens the device a device path names, releasing any earlier one. 0 when it was
    // opened; otherwise a negative number and openStatus() says why.
    int OpenFromMoniker(std::string_view devicePath);
    OpenStatus openStatus() const { return m_openStatus; }

    // Releases the attachment; the opened device stays for a later Attach.
    void Detach();
    // True when the controller answers within `tries` probes; when already attached,
    // one re-check. Attaching sets the access mode to 8-bit addresses and 16-bit values.
    bool Attach(int tries = 1);
    bool attached() const { return m_attached; }
    int addressMode() const { return m_addressMode; }
    int dataBytes() const { return m_dataBytes; }

    // Raw register access, up to `tries` attempts; a device error ends it at once.
    bool RegWrite(std::uint16_t address, int addrMode, std::uint16_t value, int dataBytes,
                  int tries = 1);
    bool RegRead(std::uint16_t address, int addrMode, std::uint16_t& value, int dataBytes,
                 int tries = 1);

    // Access to register 0xPPRR: select page PP through 0xF0, require 0xF0 to read PP
    // back, then read or write RR. A read is one attempt; a write is repeated up to
    // kPageWriteAttempts times until RR reads back the value, or until a device error. A page that
    // does not latch fails the attempt before RR is touched.
    bool PageRead(std::uint16_t address, std::uint16_t& value);
    bool PageWrite(std::uint16_t address, std::uint16_t value);
    // The last raw access ended with a device error (I/O error, time-out, device gone).
    // Repeating loops stop then: each repetition could wait for the same time-out again.
    bool deviceError() const { return m_deviceError; }

    bool GetInfo(ProcessingControl control, ControlInfo& info);
    bool Set(ProcessingControl control, int value);
    // Ranges from the sensor description, current values read from the registers.
    bool GetGainInfo(GainInfo& info);
    bool GetExposureInfo(ControlInfo& info);

  private:
    bool selectPage(std::uint8_t page);
    bool readSensorValue(std::uint16_t address, const sensor::Range& range, ControlInfo& info);

    ControllerOpener m_opener;
    ControllerDevice m_device;
    OpenStatus m_openStatus = OpenStatus::NotFound;
    bool m_attached = false;
    int m_addressMode = 1;
    int m_dataBytes = 1;
    bool m_deviceError = false;
};
