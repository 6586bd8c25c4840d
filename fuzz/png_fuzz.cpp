// PNG decoder on arbitrary bytes through the memory path.
#include "images/png_decoder.h"

#include "images/codec_messages.h"

#include <cstddef>
#include <cstdint>

namespace {
// Large enough for every kind of file, small enough to stay far below the fuzzer's
// memory limit.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 22;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetCodecMessagesEnabled(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDibImage image;
    DecodePng(data, size, image, kMaxPixels);
    return 0;
}
