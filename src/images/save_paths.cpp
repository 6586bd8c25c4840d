#include "images/save_paths.h"

#include "platform/path_parts.h"
#include "platform/utf8.h"

#include <string_view>

namespace {

constexpr PictureSaveFilter kFilters[] = {
    {"Bitmap File(*.bmp)", "ビットマップファイル(*.bmp)", "*.bmp"},
    {"Jpeg File(high)(*.jpg)", "JPEGファイル（高画質）(*.jpg)", "*.jpg"},
    {"Jpeg File(medium)(*.jpg)", "JPEGファイル（中画質）(*.jpg)", "*.jpg"},
    {"Jpeg File(low)(*.jpg)", "JPEGファイル（低画質）(*.jpg)", "*.jpg"},
};

std::string_view WithoutTrailingSlash(std::string_view s) {
    while (s.size() > 1 && s.back() == '/')
        s.remove_suffix(1);
    return s;
}

} // namespace

std::span<const PictureSaveFilter> PictureSaveFilters() {
    return kFilters;
}

const char* PictureExtension(int saveType) {
    if (saveType == 1)
        return ".bmp";
    if (saveType >= 2 && saveType <= 4)
        return ".jpg";
    return "";
}

std::string SavePathForType(const std::string& chosen, int saveType) {
    if (saveType < 2 || saveType > 4)
        return chosen;
    const PathParts parts = SplitPath(chosen);
    return parts.folder + parts.name + ".jpg";
}

std::string FolderOfPath(const std::string& path) {
    const std::string folder = SplitPath(path).folder;
    return std::string(WithoutTrailingSlash(folder));
}

bool SameFolder(const std::string& a, const std::string& b) {
    return WithoutTrailingSlash(a) == WithoutTrailingSlash(b);
}

bool FitsPicturePathLimit(const std::string& path) {
    // Characters beyond the basic plane take two UTF-16 units.
    std::size_t units = 0;
    for (std::string_view rest = path; !rest.empty();) {
        const std::size_t n = Utf8CharBytes(rest);
        units += n == 4 ? 2 : 1;
        rest.remove_prefix(n);
    }
    return units <= static_cast<std::size_t>(kMaxPicturePath);
}
