#include "images/load_image_file.h"

#include "images/bmp_codec.h"
#include "images/jpeg_codec.h"
#include "images/png_decoder.h"
#include "images/tiff_decoder.h"

#include <atomic>
#include <cctype>
#include <utility>

namespace {

std::atomic<PictureLoader> g_pictureLoader{nullptr};

std::string lowerExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

int gifLoader(const std::string& path, CDibImage& image) {
    const PictureLoader loader = g_pictureLoader.load();
    return loader ? loader(path, image) : 0;
}

int readBmpIntoNew(const std::string& path, CDibImage& image) {
    return ReadBmp(path, image);
}
int decodeJpegFile(const std::string& path, CDibImage& image) {
    return DecodeJpeg(path, image);
}
int decodePngFile(const std::string& path, CDibImage& image) {
    return DecodePng(path, image);
}
int decodeTiffFile(const std::string& path, CDibImage& image) {
    return DecodeTiff(path, image);
}

struct Decoder {
    const char* extension;
    int (*decode)(const std::string&, CDibImage&);
};

constexpr Decoder kDecoders[] = {
    {".bmp", readBmpIntoNew},  {".jpg", decodeJpegFile}, {".jpeg", decodeJpegFile},
    {".gif", gifLoader},       {".png", decodePngFile},  {".tif", decodeTiffFile},
    {".tiff", decodeTiffFile},
};

} // namespace

// Every decoder works on a fresh picture, which replaces `image` only on success: a
// failure half-way through a file never costs the caller the picture it had. (The BMP
// reader's mode of drawing into an existing picture is therefore not used here.)
int LoadImageFile(const std::string& path, CDibImage& image) {
    const std::string ext = lowerExtension(path);
    for (const Decoder& d : kDecoders) {
        if (ext != d.extension)
            continue;
        CDibImage loaded;
        if (!d.decode(path, loaded) || loaded.isNull())
            return 0;
        image = std::move(loaded);
        return 1;
    }
    return 0;
}

void SetPictureLoader(PictureLoader loader) {
    g_pictureLoader.store(loader);
}
