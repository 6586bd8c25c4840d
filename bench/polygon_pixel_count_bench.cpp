#include "model/polygon_pixel_count.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// A 50-pointed star (100 vertices) filling most of a 1280 x 1024 picture.
std::vector<DPOINT> Star(int vertices, double cx, double cy, double outer, double inner) {
    std::vector<DPOINT> p;
    for (int i = 0; i < vertices; ++i) {
        const double a = 2.0 * M_PI * i / vertices;
        const double r = i % 2 == 0 ? outer : inner;
        p.push_back(DPOINT{cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return p;
}

// The same number of vertices, zig-zagging across the picture so the edges
// cross each other many times (self-intersecting).
std::vector<DPOINT> ZigZag(int vertices, int width, int height) {
    std::vector<DPOINT> p;
    for (int i = 0; i < vertices; ++i) {
        const double x = (i * 397 % 1000) / 1000.0 * width;
        const double y = (i * 211 % 1000) / 1000.0 * height;
        p.push_back(DPOINT{x, y});
    }
    return p;
}

void BM_Star100(benchmark::State& state) {
    const auto p = Star(100, 640, 512, 500, 250);
    for (auto _ : state) {
        auto n = PolygonPixelCount(p.data(), static_cast<int>(p.size()), 1280, 1024);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_Star100)->Unit(benchmark::kMicrosecond);

void BM_SelfIntersecting100(benchmark::State& state) {
    const auto p = ZigZag(100, 1280, 1024);
    for (auto _ : state) {
        auto n = PolygonPixelCount(p.data(), static_cast<int>(p.size()), 1280, 1024);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_SelfIntersecting100)->Unit(benchmark::kMicrosecond);

} // namespace
