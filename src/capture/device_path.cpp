#include "capture/device_path.h"

#include "platform/text_format.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Up to four hex digits at text[pos]; at least one. Advances pos past them.
std::optional<std::uint16_t> HexRun(std::string_view text, std::size_t& pos) {
    unsigned value = 0;
    std::size_t digits = 0;
    while (pos < text.size() && digits < 4) {
        const int d = HexDigit(text[pos]);
        if (d < 0)
            break;
        value = value * 16 + static_cast<unsigned>(d);
        ++pos;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

constexpr std::string_view kVendor = "usb#vid_";
constexpr std::string_view kProduct = "&pid_";

} // namespace

std::string MakeDevicePath(UsbIds ids, std::string_view node) {
    return StrFormat("usb#vid_%04x&pid_%04x#", static_cast<unsigned>(ids.vendor),
                     static_cast<unsigned>(ids.product)) +
           std::string(node);
}

std::optional<UsbIds> ParseUsbIds(std::string_view path) {
    if (!path.starts_with(kVendor))
        return std::nullopt;
    std::size_t pos = kVendor.size();
    const auto vendor = HexRun(path, pos);
    if (!vendor || path.substr(pos, kProduct.size()) != kProduct)
        return std::nullopt;
    pos += kProduct.size();
    const auto product = HexRun(path, pos);
    if (!product)
        return std::nullopt;
    return UsbIds{*vendor, *product};
}

std::string_view DeviceNodeOfPath(std::string_view path) {
    if (!ParseUsbIds(path))
        return path;
    const std::size_t hash = path.find('#', kVendor.size());
    return hash == std::string_view::npos ? std::string_view{} : path.substr(hash + 1);
}

bool IsRegisterCameraPath(std::string_view path) {
    const auto ids = ParseUsbIds(path);
    return ids && *ids == kRegisterCameraIds;
}

std::optional<std::uint16_t> ParseUsbId(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        text.remove_prefix(2);
    std::size_t pos = 0;
    const auto value = HexRun(text, pos);
    if (!value || pos != text.size())
        return std::nullopt;
    return value;
}

std::optional<int> VideoNodeNumber(std::string_view node) {
    constexpr std::string_view kPrefix = "/dev/video";
    if (!node.starts_with(kPrefix) || node.size() == kPrefix.size() || node.size() > kPrefix.size() + 6)
        return std::nullopt;
    int n = 0;
    for (char c : node.substr(kPrefix.size())) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}
