// JPEG encoding and decoding of a camera-sized picture (1280 × 1024, 24 bits) at the
// "medium" save quality 90, through the memory entry points so that the disk is not
// measured.
#include "images/jpeg_codec.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr int kQuality = 90;

std::uint8_t clampByte(int v) {
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Something like a specimen under a microscope: uneven illumination, a grid of dark
// dots, a few sharp-edged shapes and sensor noise. Deterministic.
CDibImage MakeSpecimen() {
    CDibImage image;
    image.create(kWidth, kHeight, 24);
    std::uint32_t seed = 0x2545F491u;
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            const double dx = (x - kWidth / 2) / double(kWidth),
                         dy = (y - kHeight / 2) / double(kHeight);
            const double light = 1.0 - 0.8 * (dx * dx + dy * dy); // vignetting
            int r = static_cast<int>(210 * light), g = static_cast<int>(190 * light),
                b = static_cast<int>(160 * light);
            const int gx = x % 64 - 32, gy = y % 64 - 32;
            if (gx * gx + gy * gy < 100) // dot grid
                r = 40, g = 35, b = 50;
            if (x > 300 && x < 520 && y > 600 && y < 900) // a dark block
                r = 60, g = 20, b = 90;
            const int cx = x - 900, cy = y - 300;
            if (cx * cx + cy * cy < 150 * 150 && cx * cx + cy * cy > 120 * 120) // a ring
                r = 200, g = 60, b = 30;
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            const int noise = static_cast<int>(seed % 13) - 6;
            row[3 * x] = clampByte(b + noise);
            row[3 * x + 1] = clampByte(g + noise);
            row[3 * x + 2] = clampByte(r + noise);
        }
    }
    return image;
}

const CDibImage& Specimen() {
    static const CDibImage picture = MakeSpecimen();
    return picture;
}

void BM_EncodeJpeg(benchmark::State& state) {
    const CDibImage& picture = Specimen();
    std::vector<std::uint8_t> encoded;
    for (auto _ : state) {
        if (!EncodeJpeg(picture, kQuality, encoded))
            state.SkipWithError("encoding failed");
        benchmark::DoNotOptimize(encoded.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kWidth} * kHeight * 3);
    state.counters["file_kB"] = static_cast<double>(encoded.size()) / 1024.0;
}
BENCHMARK(BM_EncodeJpeg)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg(benchmark::State& state) {
    std::vector<std::uint8_t> encoded;
    if (!EncodeJpeg(Specimen(), kQuality, encoded)) {
        state.SkipWithError("encoding failed");
        return;
    }
    for (auto _ : state) {
        CDibImage decoded;
        if (!DecodeJpeg(encoded.data(), encoded.size(), decoded))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(decoded.bits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kWidth} * kHeight * 3);
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

} // namespace
