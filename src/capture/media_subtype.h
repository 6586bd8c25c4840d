#pragma once
#include "platform/guid.h"

#include <span>
#include <string>
#include <string_view>

// Media subtypes as the settings file keeps them (GUIDs), and the capture
// formats they stand for. One table maps each GUID to a caps name: the media
// type ("video/x-raw", "image/jpeg") and, for raw video, the pixel format.

// "Any format": the default of every "SubType" key.
inline constexpr GUID MEDIASUBTYPE_None{0xE436EB8E, 0x524F, 0x11CE,
                                        {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr GUID MEDIASUBTYPE_RGB24{0xE436EB7D, 0x524F, 0x11CE,
                                         {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr GUID MEDIASUBTYPE_RGB32{0xE436EB7E, 0x524F, 0x11CE,
                                         {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr GUID MEDIASUBTYPE_RGB565{0xE436EB7B, 0x524F, 0x11CE,
                                          {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr GUID MEDIASUBTYPE_RGB555{0xE436EB7C, 0x524F, 0x11CE,
                                          {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

// Subtypes named by a four-character code: Data1 is the code, the rest fixed.
constexpr GUID FourCcSubtype(char a, char b, char c, char d) {
    return GUID{static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
                    static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
                    static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
                    static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24,
                0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}
inline constexpr GUID MEDIASUBTYPE_YUY2 = FourCcSubtype('Y', 'U', 'Y', '2');
inline constexpr GUID MEDIASUBTYPE_UYVY = FourCcSubtype('U', 'Y', 'V', 'Y');
inline constexpr GUID MEDIASUBTYPE_YVYU = FourCcSubtype('Y', 'V', 'Y', 'U');
inline constexpr GUID MEDIASUBTYPE_MJPG = FourCcSubtype('M', 'J', 'P', 'G');
inline constexpr GUID MEDIASUBTYPE_NV12 = FourCcSubtype('N', 'V', '1', '2');
inline constexpr GUID MEDIASUBTYPE_NV21 = FourCcSubtype('N', 'V', '2', '1');
inline constexpr GUID MEDIASUBTYPE_I420 = FourCcSubtype('I', '4', '2', '0');
inline constexpr GUID MEDIASUBTYPE_YV12 = FourCcSubtype('Y', 'V', '1', '2');
inline constexpr GUID MEDIASUBTYPE_Y800 = FourCcSubtype('Y', '8', '0', '0');
inline constexpr GUID MEDIASUBTYPE_GREY = FourCcSubtype('G', 'R', 'E', 'Y');
inline constexpr GUID MEDIASUBTYPE_Y16 = FourCcSubtype('Y', '1', '6', ' ');

// One row of the table.
struct MediaSubtypeInfo {
    GUID guid;
    const char* label;     // shown in the format window ("RGB24", "MJPG", ...)
    const char* mediaType; // "video/x-raw" or "image/jpeg"
    const char* format;    // raw pixel format ("BGR", "YUY2", ...); "" for compressed types
};

std::span<const MediaSubtypeInfo> MediaSubtypes();

// The row of a GUID; nullptr for MEDIASUBTYPE_None and every GUID the table lacks
// (which the capture code treats as "any").
const MediaSubtypeInfo* FindMediaSubtype(const GUID& guid);

// The row for a caps name: media type and, for raw video, its format.
const MediaSubtypeInfo* FindMediaSubtype(std::string_view mediaType, std::string_view format);

// True when the GUID names no format of the table ("any").
bool IsAnySubtype(const GUID& guid);

// The label of a subtype for windows and logs: the table's label, "Any" for None,
// and the 32-digit text for a GUID the table lacks.
std::string MediaSubtypeLabel(const GUID& guid);

// The caps text that asks for this subtype, e.g. "video/x-raw,format=YUY2" or
// "image/jpeg"; empty for "any".
std::string MediaSubtypeCaps(const GUID& guid);
