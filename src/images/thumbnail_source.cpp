#include "images/thumbnail_source.h"

#include "images/jpeg_codec.h"
#include "images/load_image_file.h"
#include "images/pixel_convert.h"
#include "platform/path_parts.h"

#include <utility>

int LoadThumbnailSource(const std::string& path, CDibImage& image, int minWidth, int minHeight) {
    CDibImage loaded;
    if (ExtensionEqualsNoCase(path, ".jpg") || ExtensionEqualsNoCase(path, ".jpeg")) {
        if (!DecodeJpegReduced(path, loaded, minWidth, minHeight))
            return 0;
    } else if (!LoadImageFile(path, loaded)) {
        return 0;
    }
    if (loaded.isNull())
        return 0;
    if (loaded.bitCount() == 16) {
        CDibImage grey;
        if (!grey.create(loaded.width(), loaded.height(), 24) ||
            !ConvertPixels(loaded, grey, PixelConversion::Grey16ToGrey24))
            return 0;
        loaded = std::move(grey);
    }
    image = std::move(loaded);
    return 1;
}
