#pragma once
#include <cstdint>

// How one register access ended. A device error (an I/O error, a time-out, the device
// gone) ends the whole operation at once: repeating it would only wait for the same
// error again.
enum class TransportResult { Ok, Failed, DeviceError };

// The road to the camera controller's sensor registers: one raw access per call, no
// paging and no repetition (those belong to C5U87xCtl). Addresses are `addressWidth`
// bytes wide (0 = no address, 1 or 2), values `dataBytes` wide (1 or 2); other widths
// are refused with Failed. Called on the user-interface thread only.
class RegisterTransport {
  public:
    virtual ~RegisterTransport() = default;
    // One short exchange that tells whether the controller answers at all.
    virtual TransportResult probe() = 0;
    virtual TransportResult read(std::uint16_t address, int addressWidth, int dataBytes,
                                 std::uint16_t& value) = 0;
    virtual TransportResult write(std::uint16_t address, int addressWidth, int dataBytes,
                                  std::uint16_t value) = 0;
};
