// The picture analyses behind edge snapping and automatic calibration, beside a plain
// copy of the 8-bit frame measured in the same run.
#include "calib/blob_search.h"
#include "images/dib_image.h"
#include "view/edge_image.h"
#include "view/snap_to_edge.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

// A camera-like picture: smooth shading with sharp-edged squares and a little noise.
CDibImage Scene(int w, int h, int bitCount) {
    CDibImage image;
    image.createMemoryOnly(w, h, bitCount);
    std::mt19937 rng(11);
    const int bytes = bitCount / 8;
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const bool square = ((x / 40) + (y / 40)) % 2 == 0;
            const int v = (square ? 60 : 190) + (x + y) % 16 + static_cast<int>(rng() % 7);
            for (int b = 0; b < bytes; ++b)
                row[x * bytes + b] = static_cast<std::uint8_t>(v);
        }
    }
    return image;
}

void ComputeEdge(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const CDibImage display = Scene(w, h, 24);
    CDibImage grey, edge;
    grey.createMemoryOnly(w, h, 8);
    edge.createMemoryOnly(w, h, 8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeEdgeImage(display, grey, edge, 0));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}

// The magnitude step alone, from the grey copy, by each kernel the processor runs.
void EdgeFromGrey(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto kernels = AvailableEdgeKernels();
    const auto k = static_cast<std::size_t>(state.range(2));
    if (k >= kernels.size()) {
        state.SkipWithError("kernel not available here");
        return;
    }
    state.SetLabel(kernels[k].name);
    const CDibImage grey = Scene(w, h, 8);
    CDibImage edge;
    edge.createMemoryOnly(w, h, 8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EdgeImageFromGrey(grey, edge, 0, kernels[k].kernel));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}

void CopyGreyFrame(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const CDibImage grey = Scene(w, h, 8);
    CDibImage copy;
    copy.createMemoryOnly(w, h, 8);
    for (auto _ : state) {
        std::memcpy(copy.bits(), grey.bits(), grey.byteSize());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}

// Every pixel of the square an edge: the search visits and measures all 400.
void SnapSize10(benchmark::State& state) {
    CDibImage edge;
    edge.createMemoryOnly(1280, 1024, 8);
    std::mt19937 rng(5);
    for (std::size_t i = 0; i < edge.byteSize(); ++i)
        edge.bits()[i] = static_cast<std::uint8_t>(129 + rng() % 127);
    double offset = 0;
    for (auto _ : state) {
        DPOINT p{640.5 + offset, 512.5};
        benchmark::DoNotOptimize(SnapToEdge(p, edge, -1, 10));
        benchmark::DoNotOptimize(p);
        offset = offset > 100 ? 0 : offset + 1;
    }
}

// 2000 dots of radius 8 on a 50 x 40 grid over a 1280 x 1024 mask.
LabelImage DotGrid() {
    LabelImage image;
    image.assign(1280, 1024, kLabelBackground);
    for (int j = 0; j < 40; ++j)
        for (int i = 0; i < 50; ++i) {
            const int cx = 13 + i * 1280 / 50, cy = 13 + j * 1024 / 40;
            for (int y = cy - 8; y <= cy + 8; ++y)
                for (int x = cx - 8; x <= cx + 8; ++x)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < 64)
                        image.row(y)[x] = kLabelForeground;
        }
    return image;
}

void BlobSearchDotGrid(benchmark::State& state) {
    const LabelImage pristine = DotGrid();
    LabelImage image = pristine;
    BlobSearch search;
    std::vector<FoundBlob> found;
    found.reserve(4096);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(image.values.data(), pristine.values.data(),
                    pristine.values.size() * sizeof(std::int32_t));
        found.clear();
        state.ResumeTiming();
        search.run(image, {0, 0, image.width, image.height}, 5, 1e9, 1e8, found);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["blobs"] = static_cast<double>(found.size());
}

BENCHMARK(CopyGreyFrame)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeEdge)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(EdgeFromGrey)
    ->Args({1280, 1024, 0})
    ->Args({1280, 1024, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SnapSize10)->Unit(benchmark::kNanosecond);
BENCHMARK(BlobSearchDotGrid)->Unit(benchmark::kMicrosecond);

} // namespace
