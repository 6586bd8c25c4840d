// TIFF decoder on arbitrary bytes through the memory path.
#include "images/tiff_decoder.h"

#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDibImage image;
    DecodeTiff(data, size, image, fuzz::kMaxPixels);
    return 0;
}
