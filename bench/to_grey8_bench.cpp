#include "images/dib_image.h"
#include "images/grey_convert.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// The grey copy the edge image starts from, for a camera-sized frame.
void GreyOfFrame(benchmark::State& state) {
    CDibImage frame;
    CDibImage grey;
    if (!frame.create(1280, 1024, 24) || !grey.create(1280, 1024, 8)) {
        state.SkipWithError("cannot create the images");
        return;
    }
    for (std::size_t i = 0; i < frame.byteSize(); ++i)
        frame.bits()[i] = static_cast<std::uint8_t>(i * 13);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToGrey8(frame, grey));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1280 * 1024);
}

BENCHMARK(GreyOfFrame)->Unit(benchmark::kMicrosecond);

} // namespace
