#pragma once
// Valid files of every format made from a picture with the formats' own libraries,
// for tests that need a good file to start from (dispatcher, damaged input), and BMP
// files of layouts the program does not write.
#include "codec_test_support.h"
#include "images/dib_image.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace codec_test {

// Top picture row first, R, G, B, from a 24-bit picture.
inline std::vector<std::uint8_t> RgbRow(const CDibImage& picture, int y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width()) * 3);
    const std::uint8_t* p = picture.scanLine(y);
    for (std::size_t i = 0; i < row.size(); i += 3) {
        row[i] = p[i + 2];
        row[i + 1] = p[i + 1];
        row[i + 2] = p[i];
    }
    return row;
}

inline void PutLittle16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutLittle32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    PutLittle16(b, at, v);
    PutLittle16(b, at + 2, v >> 16);
}

// A BMP file assembled byte by byte, for layouts the program's writer never produces
// (it writes 24-bit files only).
struct BmpRecipe {
    std::uint32_t headerSize = 40;
    int width = 0;
    int height = 0; // negative: top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks;  // after a 40-byte header, or inside a longer one
    std::vector<std::uint8_t> colours; // B, G, R, 0 per entry
    std::uint32_t coloursUsed = 0;
    std::size_t gap = 0; // bytes between colour table and pixels
    bool zeroOffset = false;
    std::vector<std::vector<std::uint8_t>> rows; // in file order, unpadded
};

inline std::vector<std::uint8_t> BuildBmp(const BmpRecipe& s) {
    const std::size_t stride = (static_cast<std::size_t>(s.bitCount) * s.width + 31) / 32 * 4;
    const bool masksAfterHeader = s.headerSize == 40 && !s.masks.empty();
    const std::size_t tableStart = 14 + s.headerSize + (masksAfterHeader ? 12 : 0);
    const std::size_t offset = tableStart + s.colours.size() + s.gap;
    std::vector<std::uint8_t> b(offset + stride * s.rows.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLittle32(b, 2, static_cast<std::uint32_t>(b.size()));
    PutLittle32(b, 10, s.zeroOffset ? 0 : static_cast<std::uint32_t>(offset));
    PutLittle32(b, 14, s.headerSize);
    PutLittle32(b, 18, static_cast<std::uint32_t>(s.width));
    PutLittle32(b, 22, static_cast<std::uint32_t>(s.height));
    PutLittle16(b, 26, 1);
    PutLittle16(b, 28, static_cast<std::uint32_t>(s.bitCount));
    PutLittle32(b, 30, s.compression);
    PutLittle32(b, 46, s.coloursUsed);
    for (std::size_t i = 0; i < s.masks.size(); ++i)
        PutLittle32(b, 54 + 4 * i, s.masks[i]);
    std::copy(s.colours.begin(), s.colours.end(), b.begin() + static_cast<long>(tableStart));
    std::fill(b.begin() + static_cast<long>(tableStart + s.colours.size()),
              b.begin() + static_cast<long>(offset), 0xEE);
    for (std::size_t r = 0; r < s.rows.size(); ++r)
        std::copy(s.rows[r].begin(), s.rows[r].end(),
                  b.begin() + static_cast<long>(offset + r * stride));
    return b;
}

// The recipe of an uncompressed file holding `picture` as it is in memory: rows bottom-up,
// for 8-bit pictures the whole colour table (so the pixels start at 1078).
inline BmpRecipe BmpRecipeOf(const CDibImage& picture) {
    BmpRecipe s;
    s.width = picture.width();
    s.height = picture.height();
    s.bitCount = picture.bitCount();
    if (s.bitCount <= 8)
        for (const RGBQUAD& c : picture.colourTable())
            s.colours.insert(s.colours.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width()) * picture.bytesPerPixel();
    for (int r = 0; r < picture.height(); ++r)
        s.rows.emplace_back(picture.memoryRow(r), picture.memoryRow(r) + rowBytes);
    return s;
}

inline void AppendPngBytes(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline std::vector<std::uint8_t> PngBytes(const CDibImage& picture) {
    std::vector<std::uint8_t> out;
    std::vector<std::vector<std::uint8_t>> rows;
    for (int y = 0; y < picture.height(); ++y)
        rows.push_back(RgbRow(picture, y));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendPngBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()),
                 static_cast<png_uint_32>(picture.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (auto& row : rows)
        png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A JPEG written directly with libjpeg, for kinds of file the program never writes.
// `sample(x, y, c)` gives component c of the pixel at (x, y), first row on top.
inline std::vector<std::uint8_t> WriteJpeg(int width, int height, int components,
                                           J_COLOR_SPACE input, J_COLOR_SPACE file,
                                           bool adobeMarker, bool progressive,
                                           const std::function<std::uint8_t(int, int, int)>& sample,
                                           int quality = 100) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, file);
    cinfo.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                row[static_cast<std::size_t>(x * components + c)] = sample(x, y, c);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// A baseline (sequential) JPEG; the program itself only writes progressive ones.
inline std::vector<std::uint8_t> BaselineJpegBytes(const CDibImage& picture, int quality = 90) {
    return WriteJpeg(
        picture.width(), picture.height(), 3, JCS_RGB, JCS_YCbCr, false, false,
        [&](int x, int y, int c) { return picture.scanLine(y)[3 * x + 2 - c]; }, quality);
}

inline std::vector<std::uint8_t> TiffBytes(const CDibImage& picture,
                                           std::uint16_t compression = COMPRESSION_NONE) {
    TempDir dir;
    const std::string path = dir.path("t.tif");
    TIFF* tif = TIFFOpen(path.c_str(), "wl");
    if (!tif)
        return {};
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(picture.width()));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(picture.height()));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 4u);
    for (int y = 0; y < picture.height(); ++y) {
        auto row = RgbRow(picture, y);
        TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0);
    }
    TIFFClose(tif);
    return ReadBytes(path);
}

inline std::uint32_t Crc32(const std::uint8_t* data, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void PutBig32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// A PNG whose IHDR chunk (always first, at offset 8) declares another size, CRC mended.
inline std::vector<std::uint8_t> PngWithDeclaredSize(std::vector<std::uint8_t> png, std::uint32_t w,
                                                     std::uint32_t h) {
    PutBig32(png, 16, w);
    PutBig32(png, 20, h);
    PutBig32(png, 29, Crc32(png.data() + 12, 17));
    return png;
}

// Sets a tag of the first directory of a little-endian classic TIFF to `value`
// (SHORT or LONG stored in the entry itself). False when the tag is missing.
inline bool PatchTiffTag(std::vector<std::uint8_t>& tiff, std::uint16_t tag, std::uint32_t value) {
    auto u16 = [&](std::size_t at) {
        return static_cast<unsigned>(tiff[at] | (tiff[at + 1] << 8));
    };
    const std::size_t ifd = u16(4) | (u16(6) << 16);
    for (std::size_t i = 0, n = u16(ifd); i < n; ++i) {
        const std::size_t entry = ifd + 2 + 12 * i;
        if (u16(entry) != tag)
            continue;
        const bool isShort = u16(entry + 2) == TIFF_SHORT;
        for (std::size_t k = 0; k < (isShort ? 2u : 4u); ++k)
            tiff[entry + 8 + k] = static_cast<std::uint8_t>(value >> (8 * k));
        return true;
    }
    return false;
}

} // namespace codec_test
