#include "images/picture_file_writer.h"

#include "images/bmp_bytes.h"
#include "images/jpeg_codec.h"
#include "platform/atomic_file.h"

#include <string_view>
#include <vector>

int WritePictureFile(const std::string& path, const CDibImage& image, int saveType) {
    if (saveType == 1) {
        const std::string bytes = Bmp24FileBytes(image);
        return !bytes.empty() && WriteFileAtomically(path, bytes) ? 1 : 0;
    }
    const int quality = JpegQualityForSaveType(saveType);
    if (quality == 0)
        return 0;
    std::vector<std::uint8_t> bytes;
    if (!EncodeJpeg(image, quality, bytes))
        return 0;
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return WriteFileAtomically(path, data) ? 1 : 0;
}
