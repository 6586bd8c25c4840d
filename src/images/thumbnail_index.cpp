#include "images/thumbnail_index.h"

#include "images/bmp_bytes.h"
#include "platform/path_parts.h"

#include <cstring>

namespace {

constexpr std::string_view kMagic = "TOLVEN THUMBNAILFILE VER";
constexpr std::string_view kOldMagic = "QP-RN THUMBNAILFILE VER";
constexpr std::string_view kVersion = "1000";

void Put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::int32_t Get32(const std::uint8_t* p) {
    const std::uint32_t v = p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                            (std::uint32_t{p[3]} << 24);
    return static_cast<std::int32_t>(v);
}

bool StartsWith(const std::uint8_t* data, std::size_t size, std::string_view text) {
    return size >= text.size() && std::memcmp(data, text.data(), text.size()) == 0;
}

// The version field: five bytes read as a decimal number up to the first non-digit.
int VersionNumber(const std::uint8_t* p) {
    int value = 0;
    int digits = 0;
    for (int i = 0; i < 5 && p[i] >= '0' && p[i] <= '9'; ++i, ++digits)
        value = value * 10 + (p[i] - '0');
    return digits == 0 ? -1 : value;
}

} // namespace

std::string ThumbnailIndexPath(const std::string& folder) {
    return JoinPath(folder, kThumbnailIndexName);
}

std::string BuildThumbnailIndex(const std::function<bool(ThumbnailIndexItem&)>& next) {
    std::string body;
    std::int32_t count = 0;
    ThumbnailIndexItem item;
    while (next(item)) {
        const std::string bmp = item.picture ? Bmp24FileBytes(*item.picture) : std::string();
        // A name with a 0 byte cannot be stored; an entry without its picture is useless.
        if (bmp.empty() || item.name.find('\0') != std::string_view::npos)
            continue;
        body.append(item.name);
        body += '\0';
        Put32(body, static_cast<std::uint32_t>(bmp.size()));
        Put32(body, 0);
        body += bmp;
        ++count;
    }
    std::string out;
    out.reserve(kMagic.size() + kVersion.size() + 5 + body.size());
    out.append(kMagic);
    out.append(kVersion);
    out += '\0';
    Put32(out, static_cast<std::uint32_t>(count));
    out += body;
    return out;
}

bool ParseThumbnailIndex(const std::uint8_t* data, std::size_t size,
                         const std::function<void(const ThumbnailIndexRecord&)>& onEntry) {
    if (!data)
        return false;
    std::size_t pos;
    if (StartsWith(data, size, kOldMagic))
        pos = kOldMagic.size();
    else if (StartsWith(data, size, kMagic))
        pos = kMagic.size();
    else
        return false;
    if (size - pos < 5 + 4 || VersionNumber(data + pos) != 1000)
        return false;
    pos += 5;
    const std::int32_t count = Get32(data + pos);
    pos += 4;

    for (std::int32_t i = 0; i < count; ++i) {
        const auto* nameEnd =
            static_cast<const std::uint8_t*>(std::memchr(data + pos, 0, size - pos));
        if (!nameEnd)
            break;
        const std::size_t nameLength = static_cast<std::size_t>(nameEnd - (data + pos));
        const std::size_t sizesAt = pos + nameLength + 1;
        if (size - sizesAt < 8)
            break;
        const std::int32_t bmpSize = Get32(data + sizesAt);
        const std::size_t bmpAt = sizesAt + 8;
        if (bmpSize < 0 || static_cast<std::size_t>(bmpSize) > size - bmpAt)
            break;
        ThumbnailIndexRecord record;
        record.storedName = std::string_view(reinterpret_cast<const char*>(data + pos), nameLength);
        record.bmp = data + bmpAt;
        record.bmpSize = static_cast<std::size_t>(bmpSize);
        onEntry(record);
        pos = bmpAt + record.bmpSize;
    }
    return true;
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}
