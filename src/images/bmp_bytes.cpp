#include "images/bmp_bytes.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kHeaderSize = 54;

void Put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

std::string Bmp24FileBytes(const CDibImage& picture) {
    if (picture.isNull() || picture.bitCount() != 24)
        return {};
    const std::uint64_t total = kHeaderSize + std::uint64_t{picture.byteSize()};
    if (total > 0x7FFFFFFF)
        return {};
    std::string out;
    out.reserve(static_cast<std::size_t>(total));
    out += "BM";
    Put32(out, static_cast<std::uint32_t>(total));
    Put32(out, 0); // two reserved words
    Put32(out, kHeaderSize);
    const BITMAPINFOHEADER& h = picture.header();
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(h.biWidth));
    Put32(out, static_cast<std::uint32_t>(h.biHeight));
    Put16(out, h.biPlanes);
    Put16(out, h.biBitCount);
    Put32(out, h.biCompression);
    Put32(out, h.biSizeImage);
    Put32(out, static_cast<std::uint32_t>(h.biXPelsPerMeter));
    Put32(out, static_cast<std::uint32_t>(h.biYPelsPerMeter));
    Put32(out, h.biClrUsed);
    Put32(out, h.biClrImportant);
    out.append(reinterpret_cast<const char*>(picture.bits()), picture.byteSize());
    return out;
}
