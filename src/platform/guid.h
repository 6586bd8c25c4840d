#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A 128-bit identifier as the capture formats name them (media subtypes).
struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};

    bool operator==(const GUID&) const = default;
};

// The settings-file form: 32 upper-case hex digits, no separators
// ("%08X%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X").
std::string GuidToText(const GUID& g);

// Reads the settings-file form: exactly 32 hex digits of either case, cut into
// 8, 4, 4 and 8 x 2 digits. Anything else (another length, a non-hex character,
// separators or braces) gives nothing, so the caller keeps its default.
std::optional<GUID> GuidFromText(std::string_view text);
