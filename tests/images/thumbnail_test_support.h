#pragma once
// Pictures and index files for the thumbnail and saving tests.
#include "codec_test_support.h"
#include "images/bmp_bytes.h"
#include "images/dib_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace thumb_test {

// A 24-bit picture of one colour.
inline CDibImage SolidPicture(int width, int height, int r, int g, int b) {
    CDibImage image;
    image.create(width, height, 24);
    image.fillRect(RGB(r, g, b));
    return image;
}

inline bool IsColour(const CDibImage& image, int x, int y, int r, int g, int b, int tolerance = 0) {
    const codec_test::Bgr p = codec_test::PixelAt(image, x, y);
    auto near = [tolerance](int a, int e) { return a >= e - tolerance && a <= e + tolerance; };
    return near(p.r, r) && near(p.g, g) && near(p.b, b);
}

inline void Put32(std::string& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

// One index entry as the file lays it out, with a BMP of the given picture.
inline std::string IndexEntry(const std::string& name, const CDibImage& thumb) {
    const std::string bmp = Bmp24FileBytes(thumb);
    std::string out = name;
    out += '\0';
    Put32(out, static_cast<std::int32_t>(bmp.size()));
    Put32(out, 0);
    return out + bmp;
}

// The header of the current form ("TOLVEN ...") or the older one ("QP-RN ...").
inline std::string IndexHeader(std::int32_t count, bool older = false) {
    std::string out = older ? "QP-RN THUMBNAILFILE VER1000" : "TOLVEN THUMBNAILFILE VER1000";
    out += '\0';
    Put32(out, count);
    return out;
}

inline void WriteText(const std::string& path, const std::string& bytes) {
    codec_test::WriteBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

} // namespace thumb_test
