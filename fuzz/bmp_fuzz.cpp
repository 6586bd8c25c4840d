// BMP reader on arbitrary bytes: into a new picture, and drawn onto an existing one of
// each bit count in turn.
#include "images/bmp_codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDibImage image;
    ReadBmp(data, size, image);

    static const int kBitCounts[] = {8, 16, 24, 32};
    CDibImage existing;
    existing.create(17, 9, kBitCounts[size % 4]);
    ReadBmp(data, size, existing);
    return 0;
}
