// JPEG decoder on arbitrary bytes through the memory path; small pictures that decode
// are encoded again, so the encoder sees every size and the decoder's output.
#include "images/jpeg_codec.h"

#include "images/codec_messages.h"

#include <cstddef>
#include <cstdint>
#include <vector>

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
    if (DecodeJpeg(data, size, image, kMaxPixels) &&
        std::int64_t{image.width()} * image.height() <= 65536) {
        std::vector<std::uint8_t> encoded;
        EncodeJpeg(image, 75, encoded);
    }
    return 0;
}
