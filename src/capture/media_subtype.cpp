#include "capture/media_subtype.h"

#include <array>

namespace {

// Caps names as GStreamer spells them. The first row of a caps name wins when two
// GUIDs share one (GREY and Y800 are both 8-bit grey).
constexpr std::array<MediaSubtypeInfo, 15> kTable{{
    {MEDIASUBTYPE_RGB24, "RGB24", "video/x-raw", "BGR"},
    {MEDIASUBTYPE_RGB32, "RGB32", "video/x-raw", "BGRx"},
    {MEDIASUBTYPE_RGB565, "RGB565", "video/x-raw", "RGB16"},
    {MEDIASUBTYPE_RGB555, "RGB555", "video/x-raw", "RGB15"},
    {MEDIASUBTYPE_YUY2, "YUY2", "video/x-raw", "YUY2"},
    {MEDIASUBTYPE_UYVY, "UYVY", "video/x-raw", "UYVY"},
    {MEDIASUBTYPE_YVYU, "YVYU", "video/x-raw", "YVYU"},
    {MEDIASUBTYPE_NV12, "NV12", "video/x-raw", "NV12"},
    {MEDIASUBTYPE_NV21, "NV21", "video/x-raw", "NV21"},
    {MEDIASUBTYPE_I420, "I420", "video/x-raw", "I420"},
    {MEDIASUBTYPE_YV12, "YV12", "video/x-raw", "YV12"},
    {MEDIASUBTYPE_GREY, "GREY", "video/x-raw", "GRAY8"},
    {MEDIASUBTYPE_Y800, "Y800", "video/x-raw", "GRAY8"},
    {MEDIASUBTYPE_Y16, "Y16", "video/x-raw", "GRAY16_LE"},
    {MEDIASUBTYPE_MJPG, "MJPG", "image/jpeg", ""},
}};

} // namespace

std::span<const MediaSubtypeInfo> MediaSubtypes() { return kTable; }

const MediaSubtypeInfo* FindMediaSubtype(const GUID& guid) {
    for (const MediaSubtypeInfo& row : kTable)
        if (row.guid == guid)
            return &row;
    return nullptr;
}

const MediaSubtypeInfo* FindMediaSubtype(std::string_view mediaType, std::string_view format) {
    for (const MediaSubtypeInfo& row : kTable) {
        if (mediaType != row.mediaType)
            continue;
        if (row.format[0] == '\0' || format == row.format)
            return &row;
    }
    return nullptr;
}

bool IsAnySubtype(const GUID& guid) { return FindMediaSubtype(guid) == nullptr; }

std::string MediaSubtypeLabel(const GUID& guid) {
    if (const MediaSubtypeInfo* row = FindMediaSubtype(guid))
        return row->label;
    if (guid == MEDIASUBTYPE_None)
        return "Any";
    return GuidToText(guid);
}

std::string MediaSubtypeCaps(const GUID& guid) {
    const MediaSubtypeInfo* row = FindMediaSubtype(guid);
    if (!row)
        return {};
    std::string caps = row->mediaType;
    if (row->format[0] != '\0') {
        caps += ",format=";
        caps += row->format;
    }
    return caps;
}
