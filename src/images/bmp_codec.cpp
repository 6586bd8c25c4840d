#include "images/bmp_codec.h"

#include "images/file_buffer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
std::int32_t i32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(u32(p));
}

// One colour channel held under a bit mask, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    bool set(std::uint32_t m) {
        mask = m;
        if (m == 0)
            return true; // channel absent: reads as 0
        shift = std::countr_zero(m);
        bits = std::popcount(m);
        // The set bits must be one run, or the mask means nothing sensible.
        return (m >> shift) == (bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1u);
    }
    std::uint8_t read(std::uint32_t pixel) const {
        if (mask == 0)
            return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<std::uint8_t>(v >> (bits - 8));
        return static_cast<std::uint8_t>(v * 255u / ((1u << bits) - 1u));
    }
};

// Where everything is in the file, every size checked against the data present.
struct BmpLayout {
    int width = 0;
    int height = 0; // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    bool masked = false; // BI_BITFIELDS, or 16 bits with the default 5-5-5 masks
    Channel red, green, blue, alpha;
    std::vector<RGBQUAD> colours; // at most 256
    const std::uint8_t* pixels = nullptr;
    std::size_t fileStride = 0;
};

bool parseLayout(const std::uint8_t* data, std::size_t size, BmpLayout& out) {
    if (!data || size < kFileHeaderSize + 4)
        return false;
    if (data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint32_t pixelOffset = u32(data + 10);
    const std::uint32_t headerSize = u32(data + 14);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return false;
    if (size < kFileHeaderSize + headerSize)
        return false;
    const std::uint8_t* h = data + kFileHeaderSize;
    const std::int32_t width = i32(h + 4);
    const std::int32_t height = i32(h + 8);
    const int bitCount = u16(h + 14);
    const std::uint32_t compression = u32(h + 16);
    const std::uint32_t coloursUsed = u32(h + 32);

    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min())
        return false;
    const std::int64_t rows = height < 0 ? -std::int64_t{height} : std::int64_t{height};
    if (std::int64_t{width} * rows > CDibImage::kMaxPixels)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return false;
    if (compression != kBiRgb &&
        !(compression == kBiBitfields && (bitCount == 16 || bitCount == 32)))
        return false;

    std::uint64_t tableStart = kFileHeaderSize + headerSize;
    out.masked = false;
    if (compression == kBiBitfields) {
        // A 40-byte header is followed by three masks; longer headers hold them.
        const std::uint8_t* masks = h + 40;
        if (headerSize == 40) {
            if (size < tableStart + 12)
                return false;
            tableStart += 12;
        }
        if (!out.red.set(u32(masks)) || !out.green.set(u32(masks + 4)) ||
            !out.blue.set(u32(masks + 8)))
            return false;
        if (out.red.mask == 0 || out.green.mask == 0 || out.blue.mask == 0)
            return false;
        if (headerSize >= 56 && !out.alpha.set(u32(masks + 12)))
            return false;
        out.masked = true;
    } else if (bitCount == 16) {
        out.red.set(0x7C00);
        out.green.set(0x03E0);
        out.blue.set(0x001F);
        out.masked = true;
    }

    std::uint64_t colourCount = 0;
    if (coloursUsed != 0)
        colourCount = coloursUsed;
    else if (bitCount <= 8)
        colourCount = std::uint64_t{1} << bitCount;

    // The pixels start where the file header says; older writers leave that 0 and
    // put them straight after the colour table.
    std::uint64_t pixelStart = pixelOffset;
    if (pixelOffset == 0)
        pixelStart = tableStart + 4 * colourCount;
    else if (pixelOffset < tableStart)
        return false;
    if (pixelStart > size)
        return false;

    const std::uint64_t fileStride =
        (std::uint64_t{static_cast<std::uint32_t>(bitCount)} * static_cast<std::uint32_t>(width) +
         31) /
        32 * 4;
    if (fileStride * static_cast<std::uint64_t>(rows) > size - pixelStart)
        return false;

    if (bitCount <= 8) {
        // Only the entries that fit between the header and the pixels are read.
        const std::uint64_t room = (pixelStart - tableStart) / 4;
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>({colourCount, room, 256}));
        out.colours.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* c = data + tableStart + 4 * i;
            out.colours[i] = RGBQUAD{c[0], c[1], c[2], 0};
        }
    }

    out.width = width;
    out.height = static_cast<int>(rows);
    out.topDown = height < 0;
    out.bitCount = bitCount;
    out.pixels = data + pixelStart;
    out.fileStride = static_cast<std::size_t>(fileStride);
    return true;
}

// Decodes the file rows into a picture of the file's own kind (8, 24 or 32 bits).
int decode(const BmpLayout& layout, CDibImage& out) {
    const int bitCount = layout.bitCount <= 8 ? 8 : layout.bitCount == 32 ? 32 : 24;
    if (!out.create(layout.width, layout.height, bitCount))
        return 0;
    if (bitCount == 8 && !layout.colours.empty())
        out.setColourTable(layout.colours.data(), 0, static_cast<int>(layout.colours.size()));
    const bool plain32 =
        layout.bitCount == 32 &&
        (!layout.masked ||
         (layout.red.mask == 0xFF0000 && layout.green.mask == 0xFF00 && layout.blue.mask == 0xFF));
    for (int r = 0; r < layout.height; ++r) {
        const std::uint8_t* from = layout.pixels + static_cast<std::size_t>(r) * layout.fileStride;
        std::uint8_t* to = layout.topDown ? out.scanLine(r) : out.memoryRow(r);
        switch (layout.bitCount) {
        case 1:
        case 4: {
            const int perByte = 8 / layout.bitCount;
            const unsigned valueMask = (1u << layout.bitCount) - 1u;
            for (int x = 0; x < layout.width; ++x) {
                const int shift = 8 - layout.bitCount * (x % perByte + 1);
                to[x] = static_cast<std::uint8_t>((from[x / perByte] >> shift) & valueMask);
            }
            break;
        }
        case 8:
        case 24:
            std::memcpy(to, from, static_cast<std::size_t>(layout.width) * (layout.bitCount / 8));
            break;
        case 16:
            for (int x = 0; x < layout.width; ++x, from += 2, to += 3) {
                const std::uint32_t v = u16(from);
                to[0] = layout.blue.read(v);
                to[1] = layout.green.read(v);
                to[2] = layout.red.read(v);
            }
            break;
        case 32:
            if (plain32) {
                std::memcpy(to, from, static_cast<std::size_t>(layout.width) * 4);
                break;
            }
            for (int x = 0; x < layout.width; ++x, from += 4, to += 4) {
                const std::uint32_t v = u32(from);
                to[0] = layout.blue.read(v);
                to[1] = layout.green.read(v);
                to[2] = layout.red.read(v);
                to[3] = layout.alpha.read(v);
            }
            break;
        }
    }
    return 1;
}

int squaredDistance(const RGBQUAD& a, int b, int g, int r) {
    const int db = a.rgbBlue - b, dg = a.rgbGreen - g, dr = a.rgbRed - r;
    return db * db + dg * dg + dr * dr;
}

std::uint8_t nearestIndex(const std::array<RGBQUAD, 256>& table, int b, int g, int r) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 256 && bestDistance != 0; ++i) {
        const int d = squaredDistance(table[static_cast<std::size_t>(i)], b, g, r);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// Draws `from` (8, 24 or 32 bits) onto `to` (8, 16, 24 or 32 bits) at the top-left,
// clipped, the way a blit converts between formats: colours through the source's table,
// nearest entries of the destination's table, grey for 16-bit pictures.
void drawConverted(const CDibImage& from, CDibImage& to) {
    const int w = std::min(from.width(), to.width());
    const int h = std::min(from.height(), to.height());
    const int fromBpp = from.bytesPerPixel();
    const int toBpp = to.bytesPerPixel();
    std::array<std::uint8_t, 256> indexMap{};
    const bool mapIndexes = fromBpp == 1 && toBpp == 1;
    if (mapIndexes) {
        for (std::size_t i = 0; i < 256; ++i) {
            const RGBQUAD& c = from.colourTable()[i];
            indexMap[i] = nearestIndex(to.colourTable(), c.rgbBlue, c.rgbGreen, c.rgbRed);
        }
    }
    std::unordered_map<std::uint32_t, std::uint8_t> nearest;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = from.scanLine(y);
        std::uint8_t* d = to.scanLine(y);
        for (int x = 0; x < w; ++x, s += fromBpp, d += toBpp) {
            if (mapIndexes) {
                *d = indexMap[*s];
                continue;
            }
            int b, g, r;
            if (fromBpp == 1) {
                const RGBQUAD& c = from.colourTable()[*s];
                b = c.rgbBlue, g = c.rgbGreen, r = c.rgbRed;
            } else {
                b = s[0], g = s[1], r = s[2];
            }
            switch (toBpp) {
            case 1: {
                const std::uint32_t key = static_cast<std::uint32_t>(b | (g << 8) | (r << 16));
                auto it = nearest.find(key);
                if (it == nearest.end())
                    it = nearest.emplace(key, nearestIndex(to.colourTable(), b, g, r)).first;
                *d = it->second;
                break;
            }
            case 2: {
                const int word = (r * 30 + g * 59 + b * 11) / 100 << 2;
                d[0] = static_cast<std::uint8_t>(word & 0xFF);
                d[1] = static_cast<std::uint8_t>(word >> 8);
                break;
            }
            default:
                d[0] = static_cast<std::uint8_t>(b);
                d[1] = static_cast<std::uint8_t>(g);
                d[2] = static_cast<std::uint8_t>(r);
                if (toBpp == 4)
                    d[3] = fromBpp == 4 ? s[3] : 0;
                break;
            }
        }
    }
}

} // namespace

int ReadBmp(const std::uint8_t* data, std::size_t size, CDibImage& image) {
    BmpLayout layout;
    if (!parseLayout(data, size, layout))
        return 0;
    if (image.isNull()) {
        // A new picture cannot be created with a negative height.
        if (layout.topDown)
            return 0;
        CDibImage decoded;
        if (!decode(layout, decoded))
            return 0;
        image = std::move(decoded);
        return 1;
    }
    CDibImage decoded;
    if (!decode(layout, decoded))
        return 0;
    drawConverted(decoded, image);
    return 1;
}

int ReadBmp(const std::string& path, CDibImage& image) {
    CFileBuffer file;
    if (!file.openRead(path))
        return 0;
    return ReadBmp(file.data(), file.size(), image);
}
