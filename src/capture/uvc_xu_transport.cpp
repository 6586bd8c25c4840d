#include "capture/uvc_xu_transport.h"

#include <cerrno>
#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Errors that say the device cannot answer now; trying again would only wait again.
bool IsDeviceError(int error) {
    return error == EIO || error == ETIMEDOUT || error == ENODEV || error == ENXIO ||
           error == ESHUTDOWN;
}

// Puts an address of `width` bytes at `out`, high byte first.
int PutAddress(std::uint8_t* out, std::uint16_t address, int width) {
    if (width == 2) {
        out[0] = static_cast<std::uint8_t>(address >> 8);
        out[1] = static_cast<std::uint8_t>(address);
    } else if (width == 1) {
        out[0] = static_cast<std::uint8_t>(address);
    }
    return width;
}

bool WidthsOk(std::uint16_t address, int addressWidth, int dataBytes) {
    if (dataBytes != 1 && dataBytes != 2)
        return false;
    if (addressWidth == 1)
        return address <= 0xFF;
    return addressWidth == 0 || addressWidth == 2;
}

} // namespace

UvcXuTransport::UvcXuTransport(int fd, std::uint8_t unit, bool ownsFd, Ioctl ioctl)
    : m_fd(fd), m_unit(unit), m_owned(ownsFd), m_ioctl(std::move(ioctl)) {
    if (!m_ioctl)
        m_ioctl = [](int f, unsigned long request, void* arg) { return ::ioctl(f, request, arg); };
}

UvcXuTransport::~UvcXuTransport() {
    if (m_owned && m_fd >= 0)
        ::close(m_fd);
}

TransportResult UvcXuTransport::query(Query q, std::uint8_t selector, Block& block) {
    if (m_fd < 0)
        return TransportResult::DeviceError;
    uvc_xu_control_query request{};
    request.unit = m_unit;
    request.selector = selector;
    request.query = q == Query::Get ? UVC_GET_CUR : UVC_SET_CUR;
    request.size = static_cast<__u16>(block.size());
    request.data = block.data();
    int r;
    do {
        r = m_ioctl(m_fd, UVCIOC_CTRL_QUERY, &request);
    } while (r < 0 && errno == EINTR);
    if (r >= 0)
        return TransportResult::Ok;
    return IsDeviceError(errno) ? TransportResult::DeviceError : TransportResult::Failed;
}

TransportResult UvcXuTransport::tried(Query q, std::uint8_t selector, Block& block) {
    const Block sent = block;
    TransportResult r = TransportResult::Failed;
    for (int attempt = 0; attempt < kStepTries; ++attempt) {
        if (attempt > 0) {
            sched_yield();
            block = sent; // a failed get may have left anything in the block
        }
        r = query(q, selector, block);
        if (r != TransportResult::Failed)
            break;
    }
    return r;
}

TransportResult UvcXuTransport::reset() {
    Block status{};
    TransportResult r = tried(Query::Get, kStatusSelector, status);
    if (r != TransportResult::Ok)
        return r;
    Block block{};
    block[1] = status[9];
    block[2] = status[10];
    return tried(Query::Set, kAccessSelector, block);
}

TransportResult UvcXuTransport::probe() {
    Block status{};
    return tried(Query::Get, kStatusSelector, status);
}

TransportResult UvcXuTransport::read(std::uint16_t address, int addressWidth, int dataBytes,
                                     std::uint16_t& value) {
    if (!WidthsOk(address, addressWidth, dataBytes))
        return TransportResult::Failed;
    TransportResult r = reset();
    if (r != TransportResult::Ok)
        return r;
    if (addressWidth > 0) {
        Block block{};
        block[0] = 1;
        block[1] = static_cast<std::uint8_t>(addressWidth);
        block[2] = 5;
        PutAddress(&block[3], address, addressWidth);
        if ((r = tried(Query::Set, kAccessSelector, block)) != TransportResult::Ok)
            return r;
    }
    Block length{};
    length[0] = 2;
    length[1] = static_cast<std::uint8_t>(dataBytes);
    if ((r = query(Query::Set, kAccessSelector, length)) != TransportResult::Ok)
        return r;
    Block answer{};
    if ((r = query(Query::Get, kAccessSelector, answer)) != TransportResult::Ok)
        return r;
    value = dataBytes == 1 ? answer[0] : static_cast<std::uint16_t>(answer[0] | answer[1] << 8);
    return TransportResult::Ok;
}

TransportResult UvcXuTransport::write(std::uint16_t address, int addressWidth, int dataBytes,
                                      std::uint16_t value) {
    if (!WidthsOk(address, addressWidth, dataBytes))
        return TransportResult::Failed;
    TransportResult r = reset();
    if (r != TransportResult::Ok)
        return r;
    Block block{};
    block[0] = 1;
    block[1] = static_cast<std::uint8_t>(addressWidth + dataBytes);
    block[2] = 3;
    const int at = 3 + PutAddress(&block[3], address, addressWidth);
    if (dataBytes == 2) {
        block[at] = static_cast<std::uint8_t>(value >> 8);
        block[at + 1] = static_cast<std::uint8_t>(value);
    } else {
        block[at] = static_cast<std::uint8_t>(value);
    }
    return query(Query::Set, kAccessSelector, block);
}
