#include "images/jpeg_codec.h"

#include "images/codec_messages.h"
#include "images/pixel_convert.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

// The library reports errors by calling error_exit, which must not return. Ours jumps
// back to the function that started the work. The functions holding the setjmp below
// own no objects with destructors: everything with a destructor lives in their callers,
// which clean up after a failed call.

namespace {

constexpr int kMaxScans = 1000; // progressive files with more scans are only ever attacks

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    // While the picture is decoded, compressed data that ends before the picture is
    // complete (JWRN_HIT_MARKER: a marker, or the end of the file, where more data was
    // needed) fails the decode; the library would fill the rest with grey. Running out of
    // input alone (JWRN_JPEG_EOF) only means that the end marker is missing.
    bool failOnMissingData = false;
};

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    PrintCodecMessage("%s\n", message);
    jumpBack(cinfo);
}

// Warnings about damaged data are counted, not printed: the library mends what it can.
void emitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return;
    ++cinfo->err->num_warnings;
    if (cinfo->err->msg_code == JWRN_HIT_MARKER &&
        reinterpret_cast<ErrorManager*>(cinfo->err)->failOnMissingData)
        jumpBack(cinfo);
}

void watchScans(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        jumpBack(cinfo);
}

void installErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
}

// ---- decoding ----

struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    std::FILE* file = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::int64_t maxPixels = 0;
    int minWidth = 0; // > 0: decode at a reduced scale giving at least this size
    int minHeight = 0;
    CDibImage* image = nullptr;
    volatile bool created = false;
};

inline std::uint8_t cmykChannel(unsigned ink, unsigned black, bool inverted) {
    // Adobe writes inverted CMYK (0 = full ink); plain CMYK files use 0 = no ink.
    if (!inverted) {
        ink = 255 - ink;
        black = 255 - black;
    }
    return static_cast<std::uint8_t>((ink * black + 127) / 255);
}

// Stores one decoded row (R, G, B / grey / CMYK) as B, G, R.
void storeRow(const JSAMPLE* from, std::uint8_t* to, int width, int components, bool inverted) {
    switch (components) {
    case 1:
        for (int x = 0; x < width; ++x, to += 3)
            to[0] = to[1] = to[2] = from[x];
        break;
    case 3:
        SwapRedBlue(from, to, width, 3);
        break;
    case 4:
        for (int x = 0; x < width; ++x, from += 4, to += 3) {
            to[0] = cmykChannel(from[2], from[3], inverted);
            to[1] = cmykChannel(from[1], from[3], inverted);
            to[2] = cmykChannel(from[0], from[3], inverted);
        }
        break;
    }
}

// Output size at scale num/8, rounded up as the decoder does.
std::int64_t scaledSize(JDIMENSION size, unsigned num) {
    return (std::int64_t{size} * num + 7) / 8;
}

void chooseReducedScale(jpeg_decompress_struct& cinfo, int minWidth, int minHeight) {
    unsigned num = 1;
    while (num < 8 && (scaledSize(cinfo.image_width, num) < minWidth ||
                       scaledSize(cinfo.image_height, num) < minHeight))
        ++num;
    cinfo.scale_num = num;
    cinfo.scale_denom = 8;
}

bool runDecode(DecodeJob& job) {
    jpeg_decompress_struct* cinfo = &job.cinfo;
    if (setjmp(job.err.jump))
        return false;
    jpeg_create_decompress(cinfo);
    job.progress.progress_monitor = watchScans;
    cinfo->progress = &job.progress;
    if (job.file)
        jpeg_stdio_src(cinfo, job.file);
    else
        jpeg_mem_src(cinfo, job.data, static_cast<unsigned long>(job.size));
    jpeg_read_header(cinfo, TRUE);

    if (cinfo->image_width == 0 || cinfo->image_height == 0 ||
        std::int64_t{cinfo->image_width} * cinfo->image_height > job.maxPixels)
        return false;
    int components = 3;
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo->out_color_space = JCS_GRAYSCALE;
        components = 1;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        cinfo->out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        components = 4;
        break;
    default:
        return false;
    }
    // Progressive files keep all coefficients in memory; bound that by the picture size
    // so that a tiny file declaring a huge picture fails instead of allocating.
    cinfo->mem->max_memory_to_use = static_cast<long>(job.maxPixels) * 8 + (16L << 20);
    if (job.minWidth > 0 && job.minHeight > 0)
        chooseReducedScale(*cinfo, job.minWidth, job.minHeight);

    job.err.failOnMissingData = true;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != components)
        return false;
    const int width = static_cast<int>(cinfo->output_width);
    const int height = static_cast<int>(cinfo->output_height);
    JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                 cinfo->output_width * components, 1);
    const bool inverted = cinfo->saw_Adobe_marker;

    // The first row is decoded before the picture is created, so that a file whose data
    // ends at once fails before the big allocation.
    jpeg_read_scanlines(cinfo, row, 1);
    if (!job.image->create(width, height, 24))
        return false;
    job.created = true;
    storeRow(row[0], job.image->scanLine(0), width, components, inverted);
    while (cinfo->output_scanline < cinfo->output_height) {
        const int y = static_cast<int>(cinfo->output_scanline);
        jpeg_read_scanlines(cinfo, row, 1);
        storeRow(row[0], job.image->scanLine(y), width, components, inverted);
    }
    job.err.failOnMissingData = false;
    jpeg_finish_decompress(cinfo);
    return true;
}

int decode(DecodeJob& job, CDibImage& image, std::int64_t maxPixels) {
    std::memset(&job.cinfo, 0, sizeof job.cinfo);
    installErrorManager(job.err);
    job.cinfo.err = &job.err.pub;
    job.maxPixels = maxPixels < CDibImage::kMaxPixels ? maxPixels : CDibImage::kMaxPixels;
    job.image = &image;
    const bool ok = runDecode(job);
    jpeg_destroy_decompress(&job.cinfo);
    if (!ok && job.created)
        image.destroy();
    return ok ? 1 : 0;
}

// ---- encoding ----

// Collects the compressed bytes in a vector; the library's own memory destination
// would leak its buffer when an error jumps out of it.
struct VectorDestination {
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
    JOCTET chunk[16384];
};

bool append(VectorDestination& d, std::size_t n) {
    try {
        d.out->insert(d.out->end(), d.chunk, d.chunk + n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void vectorInit(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<VectorDestination*>(cinfo->dest);
    d->pub.next_output_byte = d->chunk;
    d->pub.free_in_buffer = sizeof d->chunk;
}

boolean vectorEmpty(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<VectorDestination*>(cinfo->dest);
    if (!append(*d, sizeof d->chunk))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    vectorInit(cinfo);
    return TRUE;
}

void vectorTerm(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<VectorDestination*>(cinfo->dest);
    if (!append(*d, sizeof d->chunk - d->pub.free_in_buffer))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

struct EncodeJob {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const CDibImage* image = nullptr; // 8 or 24 bits
    int quality = 0;
    VectorDestination* memory = nullptr;
    JSAMPLE* rowBuffer = nullptr; // width * 3 bytes
};

bool runEncode(EncodeJob& job) {
    jpeg_compress_struct* cinfo = &job.cinfo;
    if (setjmp(job.err.jump))
        return false;
    jpeg_create_compress(cinfo);
    job.memory->pub.init_destination = vectorInit;
    job.memory->pub.empty_output_buffer = vectorEmpty;
    job.memory->pub.term_destination = vectorTerm;
    cinfo->dest = &job.memory->pub;
    const CDibImage& image = *job.image;
    const bool grey = image.bitCount() == 8;
    cinfo->image_width = static_cast<JDIMENSION>(image.width());
    cinfo->image_height = static_cast<JDIMENSION>(image.height());
    cinfo->input_components = grey ? 1 : 3;
    cinfo->in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, job.quality, TRUE);
    jpeg_simple_progression(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        const std::uint8_t* from = image.scanLine(static_cast<int>(cinfo->next_scanline));
        if (grey)
            std::memcpy(job.rowBuffer, from, static_cast<std::size_t>(image.width()));
        else
            SwapRedBlue(from, job.rowBuffer, image.width(), 3);
        JSAMPROW row = job.rowBuffer;
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

// Picks the picture to encode: 8 and 24-bit pictures as they are, 16-bit pictures
// through an 8-bit copy held in `reduced`. Null when the bit count is not encodable.
const CDibImage* encodable(const CDibImage& image, CDibImage& reduced) {
    if (image.isNull())
        return nullptr;
    switch (image.bitCount()) {
    case 8:
    case 24:
        return &image;
    case 16:
        if (!reduced.createMemoryOnly(image.width(), image.height(), 8) ||
            !ConvertPixels(image, reduced, PixelConversion::Grey16ToGrey8))
            return nullptr;
        return &reduced;
    default:
        return nullptr;
    }
}

int encode(EncodeJob& job, const CDibImage& picture, int quality, std::vector<JSAMPLE>& row) {
    try {
        row.assign(static_cast<std::size_t>(picture.width()) * 3, 0);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    std::memset(&job.cinfo, 0, sizeof job.cinfo);
    installErrorManager(job.err);
    job.cinfo.err = &job.err.pub;
    job.image = &picture;
    job.quality = quality;
    job.rowBuffer = row.data();
    const bool ok = runEncode(job);
    jpeg_destroy_compress(&job.cinfo);
    return ok ? 1 : 0;
}

} // namespace

int DecodeJpeg(const std::string& path, CDibImage& image, std::int64_t maxPixels) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    DecodeJob job;
    job.file = file;
    const int ok = decode(job, image, maxPixels);
    std::fclose(file);
    return ok;
}

int DecodeJpeg(const std::uint8_t* data, std::size_t size, CDibImage& image,
               std::int64_t maxPixels) {
    if (!data || size == 0)
        return 0;
    DecodeJob job;
    job.data = data;
    job.size = size;
    return decode(job, image, maxPixels);
}

int DecodeJpegReduced(const std::string& path, CDibImage& image, int minWidth, int minHeight) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    DecodeJob job;
    job.file = file;
    job.minWidth = minWidth;
    job.minHeight = minHeight;
    const int ok = decode(job, image, CDibImage::kMaxPixels);
    std::fclose(file);
    return ok;
}

int JpegQualityForSaveType(int saveType) {
    switch (saveType) {
    case 2:
        return 100;
    case 3:
        return 90;
    case 4:
        return 75;
    default:
        return 0;
    }
}

int EncodeJpeg(const CDibImage& image, int quality, std::vector<std::uint8_t>& out) {
    if (quality < 1 || quality > 100)
        return 0;
    CDibImage reduced;
    const CDibImage* picture = encodable(image, reduced);
    if (!picture)
        return 0;
    std::vector<JSAMPLE> row;
    std::vector<std::uint8_t> bytes;
    auto destination = std::make_unique<VectorDestination>();
    destination->out = &bytes;
    EncodeJob job;
    job.memory = destination.get();
    if (!encode(job, *picture, quality, row))
        return 0;
    out = std::move(bytes);
    return 1;
}
