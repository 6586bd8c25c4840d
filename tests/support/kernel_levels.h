// Runs a kernel's check once per instruction-set level this processor has, so every
// dispatched build is held to the same bytes; and fills pictures with bytes that reach
// the edge values (0, 1, 254, 255) as well as everything between.
#pragma once

#include "images/dib_image.h"
#include "platform/kernel_level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

template <class Check> void ForEachKernelLevel(Check check) {
    for (const KernelLevel level : AvailableKernelLevels()) {
        SCOPED_TRACE(KernelLevelName(level));
        const ScopedKernelLevel pinned(level);
        check(level);
    }
}

// Every byte of the image's memory, padding included.
inline void FillWithEdgeValues(CDibImage& image, unsigned seed) {
    std::mt19937 rng(seed);
    static const std::uint8_t kEdges[] = {0, 1, 254, 255};
    for (std::size_t i = 0; i < image.byteSize(); ++i) {
        const unsigned r = rng();
        image.bits()[i] = (r & 3) == 0 ? kEdges[(r >> 2) & 3] : static_cast<std::uint8_t>(r >> 8);
    }
}

// The widths a vector loop has to get right: below, at and just past its step, and odd.
inline constexpr int kKernelWidths[] = {1, 2, 7, 15, 16, 17, 31, 32, 33, 47, 48, 49, 97, 257, 1283};
