#pragma once
#include "images/dib_image.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The thumbnail index file "ThumbNail" kept in the save folder, little-endian:
//   "TOLVEN THUMBNAILFILE VER1000", a 0 byte, int32 number of entries (the older
//   "QP-RN THUMBNAILFILE VER1000" form has the count at offset 28), then per entry:
//   the file name (no folder) in the locale's character set and a 0 byte, int32 size
//   of the BMP that follows, int32 0, a complete 24-bit BMP file of the thumbnail.
inline constexpr const char* kThumbnailIndexName = "ThumbNail";

// The index file of a folder.
std::string ThumbnailIndexPath(const std::string& folder);

// Builds the file from entries that `next` hands out one by one (false at the end): the
// name as it is to be stored and the 24-bit thumbnail. Entries without a picture, or
// whose name holds a 0 byte, are left out.
struct ThumbnailIndexItem {
    std::string_view name;
    const CDibImage* picture = nullptr;
};
std::string BuildThumbnailIndex(const std::function<bool(ThumbnailIndexItem&)>& next);

// An entry as found in the file: the name as stored (locale character set) and the
// BMP bytes, which lie wholly inside the data.
struct ThumbnailIndexRecord {
    std::string_view storedName;
    const std::uint8_t* bmp = nullptr;
    std::size_t bmpSize = 0;
};

// Walks the entries of an index file in memory. False when the data is not an index
// (magic or version wrong, header cut short). Otherwise every entry that lies wholly
// inside the data is passed to `onEntry` in order; the walk stops at the first entry
// that runs past the end (its name unterminated, its sizes beyond the data or negative),
// and after the counted number of entries.
bool ParseThumbnailIndex(const std::uint8_t* data, std::size_t size,
                         const std::function<void(const ThumbnailIndexRecord&)>& onEntry);

// True for a name that can only mean a file inside the index's own folder: not empty,
// not "." or "..", without '/'.
bool IsPlainFileName(std::string_view name);
