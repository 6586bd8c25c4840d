// What the picture decoder targets share. Each target is one file; include this from it
// once, since it defines the target's LLVMFuzzerInitialize.
#pragma once

#include "images/codec_messages.h"

#include <cstdint>

namespace fuzz {
// Large enough for every kind of file, small enough to stay far below the fuzzer's
// memory limit.
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 22;
} // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetCodecMessagesEnabled(false);
    return 0;
}
