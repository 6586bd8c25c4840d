// JPEG decoder on arbitrary bytes through the memory path; small pictures that decode
// are encoded again, so the encoder sees every size and the decoder's output.
#include "images/jpeg_codec.h"

#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDibImage image;
    if (DecodeJpeg(data, size, image, fuzz::kMaxPixels) &&
        std::int64_t{image.width()} * image.height() <= 65536) {
        std::vector<std::uint8_t> encoded;
        EncodeJpeg(image, 75, encoded);
    }
    return 0;
}
