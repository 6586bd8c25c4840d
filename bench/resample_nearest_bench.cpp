#include "images/dib_image.h"
#include "images/resample_nearest.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// A camera-sized frame resampled into the live display and into a thumbnail.
void ResampleFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    CDibImage frame;
    CDibImage out;
    if (!frame.create(1280, 1024, 24) || !out.create(width, height, 24)) {
        state.SkipWithError("cannot create the images");
        return;
    }
    for (std::size_t i = 0; i < frame.byteSize(); ++i)
        frame.bits()[i] = static_cast<std::uint8_t>(i * 7);
    for (auto _ : state) {
        ResampleNearest(frame, {0, 0, 1280, 1024}, out, {0, 0, width, height});
        benchmark::DoNotOptimize(out.bits());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

BENCHMARK(ResampleFrame)->Args({800, 600})->Args({140, 105})->Unit(benchmark::kMicrosecond);

} // namespace
