#pragma once
#include "capture/register_transport.h"

#include <array>
#include <cstdint>
#include <functional>

// Sensor-register access through the camera controller's vendor extension unit, with
// UVCIOC_CTRL_QUERY on the video device node. Every block is 11 bytes, zero-filled:
//   1. get the status block on selector 1; its bytes 9 and 10 are s9 and s10;
//   2. set [0, s9, s10] on selector 3;
//   3. read: with an address, set [1, width, 5, address]; then set [2, length] and get
//      selector 3: byte 0, or bytes 0 and 1 as a little-endian word;
//   4. write: set [1, width + length, 3, address, data], the data high byte first.
// Addresses of width 2 go high byte first. Steps 1, 2 and the read's address block are
// tried up to three times; an I/O error, a time-out or a vanished device ends the access
// at once.
//
// The controller's other road, requests to the vendor's own kernel driver, has no Linux
// counterpart: the camera is a UVC device here and this is the only transport.
class UvcXuTransport : public RegisterTransport {
  public:
    using Ioctl = std::function<int(int fd, unsigned long request, void* arg)>;
    using Block = std::array<std::uint8_t, 11>;

    static constexpr std::uint8_t kStatusSelector = 1;
    static constexpr std::uint8_t kAccessSelector = 3;
    static constexpr int kStepTries = 3;

    // `fd` is the opened device node, `unit` the extension unit's id. With `ownsFd` the
    // node is closed with the transport. The request function defaults to ioctl(2).
    UvcXuTransport(int fd, std::uint8_t unit, bool ownsFd, Ioctl ioctl = {});
    ~UvcXuTransport() override;
    UvcXuTransport(const UvcXuTransport&) = delete;
    UvcXuTransport& operator=(const UvcXuTransport&) = delete;

    std::uint8_t unit() const { return m_unit; }

    TransportResult probe() override;
    TransportResult read(std::uint16_t address, int addressWidth, int dataBytes,
                         std::uint16_t& value) override;
    TransportResult write(std::uint16_t address, int addressWidth, int dataBytes,
                          std::uint16_t value) override;

  private:
    enum class Query { Get, Set };
    TransportResult query(Query q, std::uint8_t selector, Block& block);
    TransportResult tried(Query q, std::uint8_t selector, Block& block);
    TransportResult reset();

    int m_fd;
    std::uint8_t m_unit;
    bool m_owned;
    Ioctl m_ioctl;
};
