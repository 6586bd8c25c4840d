#pragma once
#include "capture/controller_device.h"
#include "capture/device_controls.h"
#include "capture/register_transport.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// A register camera without hardware: the sensor's three register pages behind the page
// register 0xF0, its processing values, and faults to order. Every access is logged.
// Serves the tests and the demo's register camera; the virtual camera's picture reads
// gains() from its streaming thread, so the state is guarded by a mutex.
class SimulatedRegisterCamera : public RegisterTransport, public DeviceControls {
  public:
    static constexpr std::uint16_t kChipIdValue = 0x2262;
    // The processing values' ids among this camera's picture controls.
    static constexpr ProcessingControlIds kIds{1, 2, 3, 4};

    struct Access {
        enum Kind { Read, Write };
        Kind kind = Read;
        std::uint8_t page = 0; // the page selected when the access came
        std::uint8_t reg = 0;
        std::uint16_t value = 0;
        bool ok = true;
        // 0xPPRR; the page register itself logs as 0xPPF0.
        std::uint16_t address() const { return static_cast<std::uint16_t>(page << 8 | reg); }
        bool operator==(const Access&) const = default;
    };

    struct Gains {
        std::uint16_t red = 0, green = 0, blue = 0, exposure = 0;
    };

    SimulatedRegisterCamera();

    // RegisterTransport
    TransportResult probe() override;
    TransportResult read(std::uint16_t address, int addressWidth, int dataBytes,
                         std::uint16_t& value) override;
    TransportResult write(std::uint16_t address, int addressWidth, int dataBytes,
                          std::uint16_t value) override;

    // DeviceControls: brightness, saturation, sharpness and gamma.
    std::vector<DeviceControlInfo> controls() override;
    bool getControl(std::uint32_t id, int& value) override;
    bool setControl(std::uint32_t id, int value) override;
    std::vector<std::string> inputs() override { return {"Camera"}; }
    int currentInput() override { return 0; }
    bool setInput(int index) override { return index == 0; }

    // The register 0xPPRR as it is now, and setting it behind the controller's back.
    std::uint16_t reg(std::uint16_t address) const;
    void setReg(std::uint16_t address, std::uint16_t value);
    int page() const;
    Gains gains() const;
    // What a gain or an exposure does to the picture, in percent of the power-up value:
    // the analogue gain in 1/32 steps times the digital multiplier, the exposure in
    // proportion to its rows.
    static int GainPercent(std::uint16_t gain);
    static int ExposurePercent(std::uint16_t exposure);
    int processingValue(ProcessingControl control) const;

    // Faults: the next n reads (or writes, not counting the page register) fail; a page
    // that does not latch when selected; a camera that answers nothing at all.
    void failReads(int n);
    void failWrites(int n);
    void setPageLatches(int page, bool latches);
    void setDead(bool dead);

    // While automatic exposure is on, one frame of mean grey level `mean` (0-255) moves
    // the exposure a third of the way towards the one that gives mid-grey.
    void settleExposure(double mean);

    std::vector<Access> log() const;
    // The logged writes to registers other than 0xF0, as 0xPPRR and value.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> registerWrites() const;
    void clearLog();

    // An opener that hands out this camera for any path.
    static ControllerOpener OpenerFor(std::shared_ptr<SimulatedRegisterCamera> camera);

  private:
    struct Processing {
        int minimum, maximum, step, defaultValue, value;
    };
    const Processing* processing(std::uint32_t id) const;

    mutable std::mutex m_mutex;
    std::array<std::array<std::uint16_t, 256>, 3> m_pages{};
    int m_page = 0;
    std::array<bool, 3> m_latches{true, true, true};
    std::array<Processing, 4> m_processing;
    int m_failReads = 0;
    int m_failWrites = 0;
    bool m_dead = false;
    std::vector<Access> m_log;
};
