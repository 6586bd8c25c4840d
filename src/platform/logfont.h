#pragma once
#include <cstdint>
#include <string>

// Font description as persisted in the settings file ("color.font.*" keys).
struct LOGFONT {
    std::int32_t lfHeight = 0; // negative: character height in pixels; positive: cell height
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0; // 0 default, 400 normal, 700 bold
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName; // UTF-8, at most 31 characters

    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};
