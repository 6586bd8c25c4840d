#include "platform/elide_file_name.h"

#include "platform/utf8.h"

#include <vector>

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // …

} // namespace

std::string ElideFileName(std::string_view name, int maxWidth, const std::function<int(std::string_view)>& width) {
    if (width(name) <= maxWidth)
        return std::string(name);
    // A leading dot names a hidden file, not an extension.
    const std::size_t dot = name.rfind('.');
    const std::size_t stemEnd = dot == std::string_view::npos || dot == 0 ? name.size() : dot;
    const std::string_view stem = name.substr(0, stemEnd);
    const std::string_view extension = name.substr(stemEnd);
    // Byte offsets of the stem's characters, and its end.
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < stem.size(); at += Utf8CharBytes(stem.substr(at)))
        starts.push_back(at);
    const std::size_t chars = starts.size();
    starts.push_back(stem.size());
    auto shortened = [&](std::size_t kept) {
        const std::size_t head = (kept + 1) / 2;
        const std::size_t tail = kept - head;
        std::string out(stem.substr(0, starts[head]));
        out += kEllipsis;
        out += stem.substr(starts[chars - tail]);
        out += extension;
        return out;
    };
    // The most characters of the stem that still fit; widths grow with what is kept.
    std::size_t low = 0;
    std::size_t high = chars == 0 ? 0 : chars - 1;
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (width(shortened(mid)) <= maxWidth)
            low = mid;
        else
            high = mid - 1;
    }
    return shortened(low);
}
