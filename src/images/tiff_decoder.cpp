#include "images/tiff_decoder.h"

#include "images/codec_messages.h"
#include "images/pixel_convert.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <tiffio.h>

namespace {

// No single allocation inside libtiff beyond this; only absurd files need more.
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t{256} << 20;

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

int printError(TIFF*, void*, const char* module, const char* format, va_list args) {
    char message[512];
    std::vsnprintf(message, sizeof message, format, args);
    PrintCodecMessage("TIFF error: %s: %s\n", module ? module : "", message);
    return 1; // handled: the process-wide handlers stay quiet
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

std::unique_ptr<TIFFOpenOptions, OptionsDeleter> openOptions() {
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (options) {
        TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxLibraryAllocation);
        TIFFOpenOptionsSetErrorHandlerExtR(options.get(), printError, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreWarning, nullptr);
    }
    return options;
}

// A read-only file over a memory block, for TIFFClientOpenExt.
struct MemoryFile {
    const std::uint8_t* data;
    std::uint64_t size;
    std::uint64_t position;
};

tmsize_t memoryRead(thandle_t handle, void* out, tmsize_t length) {
    auto* f = static_cast<MemoryFile*>(handle);
    if (length <= 0 || f->position >= f->size)
        return 0;
    const std::uint64_t n =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(length), f->size - f->position);
    std::memcpy(out, f->data + f->position, static_cast<std::size_t>(n));
    f->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t memoryWrite(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t memorySeek(thandle_t handle, toff_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = f->position;
    else if (whence == SEEK_END)
        base = f->size;
    else if (whence != SEEK_SET)
        return static_cast<toff_t>(-1);
    // Offsets are unsigned; a backward relative seek arrives wrapped around.
    std::uint64_t target = 0;
    if (offset > static_cast<toff_t>(INT64_MAX)) {
        const std::uint64_t back = ~offset + 1;
        if (whence == SEEK_SET || back > base)
            return static_cast<toff_t>(-1);
        target = base - back;
    } else {
        if (offset > UINT64_MAX - base)
            return static_cast<toff_t>(-1);
        target = base + offset;
    }
    f->position = target;
    return target;
}

int memoryClose(thandle_t) {
    return 0;
}

toff_t memorySize(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->size;
}

int memoryMap(thandle_t handle, void** base, toff_t* size) {
    auto* f = static_cast<MemoryFile*>(handle);
    // libtiff only reads through the mapping of a file opened for reading.
    *base = const_cast<std::uint8_t*>(f->data);
    *size = f->size;
    return 1;
}

void memoryUnmap(thandle_t, void*, toff_t) {}

// The most a compression can shrink data, to tell whether a file can hold its pixels.
std::uint64_t maxRatio(std::uint16_t compression) {
    switch (compression) {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_PACKBITS:
        return 64; // 2 bytes repeat one byte up to 128 times
    case COMPRESSION_LZW:
        return 4096; // one code of 9 or more bits stands for at most 4096 bytes
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return 1100; // deflate's limit is about 1032:1
    default:
        return 0; // not read here
    }
}

int readPicture(TIFF* tif, std::uint64_t fileSize, CDibImage& image, std::int64_t maxPixels) {
    if (TIFFIsTiled(tif))
        return 0;
    std::uint32_t width = 0, length = 0;
    std::uint16_t bitsPerSample = 0, samplesPerPixel = 0, planar = 0, photometric = 0,
                  compression = 0, sampleFormat = 0;
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &length) ||
        !TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) ||
        !TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bitsPerSample) ||
        !TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel) ||
        !TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar) ||
        !TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression) ||
        !TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &sampleFormat))
        return 0;
    if (width == 0 || length == 0 || std::uint64_t{width} * length > std::uint64_t(maxPixels))
        return 0;
    if (sampleFormat != SAMPLEFORMAT_UINT || maxRatio(compression) == 0)
        return 0;
    if (samplesPerPixel > 1 && planar != PLANARCONFIG_CONTIG)
        return 0;

    int bitCount = 0;
    bool invert = false;
    if (samplesPerPixel == 1 && bitsPerSample == 8 &&
        (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE)) {
        bitCount = 8;
        invert = photometric == PHOTOMETRIC_MINISWHITE;
    } else if (samplesPerPixel == 1 && bitsPerSample == 16 &&
               photometric == PHOTOMETRIC_MINISBLACK) {
        bitCount = 16;
    } else if ((samplesPerPixel == 3 || samplesPerPixel == 4) && bitsPerSample == 8 &&
               photometric == PHOTOMETRIC_RGB) {
        bitCount = samplesPerPixel * 8;
    } else {
        return 0;
    }

    const std::uint64_t rowBytes = std::uint64_t{width} * static_cast<unsigned>(bitCount / 8);
    if (static_cast<std::uint64_t>(TIFFScanlineSize64(tif)) != rowBytes)
        return 0;
    if (rowBytes * length / maxRatio(compression) > fileSize)
        return 0;

    if (!image.create(static_cast<int>(width), static_cast<int>(length), bitCount))
        return 0;
    for (std::uint32_t row = 0; row < length; ++row) {
        if (TIFFReadScanline(tif, image.scanLine(static_cast<int>(row)), row, 0) < 0) {
            image.destroy();
            return 0;
        }
    }
    if (invert) {
        for (std::size_t i = 0; i < image.byteSize(); ++i)
            image.bits()[i] = static_cast<std::uint8_t>(255 - image.bits()[i]);
    }
    switch (bitCount) {
    case 16:
        ConvertPixels(image, image, PixelConversion::TiffSamplesToWord16);
        break;
    case 24:
        ConvertPixels(image, image, PixelConversion::SwapRedBlue24);
        break;
    case 32:
        ConvertPixels(image, image, PixelConversion::SwapRedBlue32);
        break;
    }
    return 1;
}

std::int64_t clampLimit(std::int64_t maxPixels) {
    return maxPixels < CDibImage::kMaxPixels ? maxPixels : CDibImage::kMaxPixels;
}

} // namespace

int DecodeTiff(const std::string& path, CDibImage& image, std::int64_t maxPixels) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    const auto options = openOptions();
    if (!options)
        return 0;
    // Paths are UTF-8 like everything else on Linux; libtiff takes them as they are.
    const TiffHandle tif(TIFFOpenExt(path.c_str(), "r", options.get()));
    if (!tif)
        return 0;
    return readPicture(tif.get(), static_cast<std::uint64_t>(st.st_size), image,
                       clampLimit(maxPixels));
}

int DecodeTiff(const std::uint8_t* data, std::size_t size, CDibImage& image,
               std::int64_t maxPixels) {
    if (!data || size == 0)
        return 0;
    const auto options = openOptions();
    if (!options)
        return 0;
    MemoryFile file{data, size, 0};
    const TiffHandle tif(TIFFClientOpenExt("memory", "r", &file, memoryRead, memoryWrite,
                                           memorySeek, memoryClose, memorySize, memoryMap,
                                           memoryUnmap, options.get()));
    if (!tif)
        return 0;
    return readPicture(tif.get(), size, image, clampLimit(maxPixels));
}
