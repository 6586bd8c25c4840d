#include "platform/guid.h"

#include "platform/text_format.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The value of `digits` hex digits at text[pos], or nothing if one is not a hex digit.
std::optional<std::uint32_t> HexField(std::string_view text, size_t pos, size_t digits) {
    std::uint32_t v = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int d = HexValue(text[pos + i]);
        if (d < 0)
            return std::nullopt;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

} // namespace

std::string GuidToText(const GUID& g) {
    return StrFormat("%08X%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(g.Data1),
                     static_cast<unsigned>(g.Data2), static_cast<unsigned>(g.Data3),
                     static_cast<unsigned>(g.Data4[0]), static_cast<unsigned>(g.Data4[1]),
                     static_cast<unsigned>(g.Data4[2]), static_cast<unsigned>(g.Data4[3]),
                     static_cast<unsigned>(g.Data4[4]), static_cast<unsigned>(g.Data4[5]),
                     static_cast<unsigned>(g.Data4[6]), static_cast<unsigned>(g.Data4[7]));
}

std::optional<GUID> GuidFromText(std::string_view text) {
    if (text.size() != 32)
        return std::nullopt;
    GUID g;
    const auto d1 = HexField(text, 0, 8);
    const auto d2 = HexField(text, 8, 4);
    const auto d3 = HexField(text, 12, 4);
    if (!d1 || !d2 || !d3)
        return std::nullopt;
    g.Data1 = *d1;
    g.Data2 = static_cast<std::uint16_t>(*d2);
    g.Data3 = static_cast<std::uint16_t>(*d3);
    for (size_t i = 0; i < 8; ++i) {
        const auto b = HexField(text, 16 + 2 * i, 2);
        if (!b)
            return std::nullopt;
        g.Data4[i] = static_cast<std::uint8_t>(*b);
    }
    return g;
}
