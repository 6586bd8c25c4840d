#include "images/png_decoder.h"

#include "images/codec_messages.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <png.h>
#include <sys/stat.h>
#include <vector>

// libpng reports errors by calling our error function, which jumps back into runDecode.
// runDecode owns no objects with destructors; its caller cleans up after a failed call.

namespace {

constexpr std::size_t kSignatureSize = 8;
// Deflate cannot shrink data by more than about 1032:1; a file smaller than its pixels
// divided by this cannot hold them, whatever its header claims.
constexpr std::uint64_t kMaxDeflateRatio = 1100;
constexpr png_uint_32 kMaxSide = 1000000;

std::mutex g_pngLock; // one decode at a time, process-wide

struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::FILE* file = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = kSignatureSize;
    std::uint64_t totalBytes = 0;
    std::int64_t maxPixels = 0;
    CDibImage* image = nullptr;
    std::vector<png_bytep>* rows = nullptr;
    volatile bool created = false;
};

[[noreturn]] void errorFunction(png_structp png, png_const_charp message) {
    PrintCodecMessage("libpng error: %s\n", message);
    png_longjmp(png, 1);
}

// Damaged ancillary chunks are dropped by the library; nothing to tell anyone.
void warningFunction(png_structp, png_const_charp) {}

void readMemory(png_structp png, png_bytep out, size_t length) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (length > job->size - job->position)
        png_error(png, "Read Error");
    std::memcpy(out, job->data + job->position, length);
    job->position += length;
}

bool resizeRows(std::vector<png_bytep>& rows, std::size_t n) {
    try {
        rows.assign(n, nullptr);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool runDecode(PngJob& job) {
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, errorFunction, warningFunction);
    if (!job.png)
        return false;
    job.info = png_create_info_struct(job.png);
    if (!job.info)
        return false;
    png_structp png = job.png;
    png_infop info = job.info;
    if (setjmp(png_jmpbuf(png)))
        return false;

    if (job.file)
        png_init_io(png, job.file);
    else
        png_set_read_fn(png, &job, readMemory);
    png_set_sig_bytes(png, static_cast<int>(kSignatureSize));
    const png_uint_32 side =
        job.maxPixels < std::int64_t{kMaxSide} ? static_cast<png_uint_32>(job.maxPixels) : kMaxSide;
    png_set_user_limits(png, side, side);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (std::uint64_t{width} * height > static_cast<std::uint64_t>(job.maxPixels))
        return false;
    const std::uint64_t rawBytes = std::uint64_t{height} * (png_get_rowbytes(png, info) + 1);
    if (rawBytes / kMaxDeflateRatio > job.totalBytes)
        return false;

    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_expand(png);
    if (bitDepth < 8)
        png_set_expand(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    double fileGamma = 0;
    if (png_get_gAMA(png, info, &fileGamma))
        png_set_gamma(png, 2.2, fileGamma);
    // Rows land straight in the picture: B, G, R and 255 − alpha.
    png_set_bgr(png);
    png_set_invert_alpha(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    if ((channels != 3 && channels != 4) || png_get_bit_depth(png, info) != 8 ||
        png_get_rowbytes(png, info) != std::size_t{width} * static_cast<std::size_t>(channels))
        return false;
    if (!job.image->create(static_cast<int>(width), static_cast<int>(height), channels * 8))
        png_error(png, "Visual PNG: out of memory");
    job.created = true;
    if (!resizeRows(*job.rows, height))
        png_error(png, "Visual PNG: out of memory");
    for (png_uint_32 y = 0; y < height; ++y)
        (*job.rows)[y] = job.image->scanLine(static_cast<int>(y));
    png_read_image(png, job.rows->data());
    png_read_end(png, nullptr);
    return true;
}

int decode(PngJob& job, CDibImage& image, std::int64_t maxPixels) {
    std::vector<png_bytep> rows;
    job.image = &image;
    job.rows = &rows;
    job.maxPixels = maxPixels < CDibImage::kMaxPixels ? maxPixels : CDibImage::kMaxPixels;
    const bool ok = runDecode(job);
    png_destroy_read_struct(job.png ? &job.png : nullptr, job.info ? &job.info : nullptr, nullptr);
    if (!ok && job.created)
        image.destroy();
    return ok ? 1 : 0;
}

} // namespace

int DecodePng(const std::string& path, CDibImage& image, std::int64_t maxPixels) {
    const std::lock_guard<std::mutex> lock(g_pngLock);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    png_byte signature[kSignatureSize];
    struct stat st {};
    if (std::fread(signature, 1, kSignatureSize, file) != kSignatureSize ||
        png_sig_cmp(signature, 0, kSignatureSize) != 0 || fstat(fileno(file), &st) != 0) {
        std::fclose(file);
        return 0;
    }
    PngJob job;
    job.file = file;
    job.totalBytes = static_cast<std::uint64_t>(st.st_size);
    const int ok = decode(job, image, maxPixels);
    std::fclose(file);
    return ok;
}

int DecodePng(const std::uint8_t* data, std::size_t size, CDibImage& image,
              std::int64_t maxPixels) {
    const std::lock_guard<std::mutex> lock(g_pngLock);
    if (!data || size < kSignatureSize || png_sig_cmp(data, 0, kSignatureSize) != 0)
        return 0;
    PngJob job;
    job.data = data;
    job.size = size;
    job.totalBytes = size;
    return decode(job, image, maxPixels);
}
