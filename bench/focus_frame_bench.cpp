// The focus work of one shown frame at 1280 x 1024: the focus-line profile and four
// focus areas of 200 x 200, beside a plain copy of the frame in the same run.
#include "images/dib_image.h"
#include "images/grey_convert.h"
#include "settings/app_settings.h"
#include "view/focus_area.h"
#include "view/focus_areas.h"
#include "view/focus_profile.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;

const CDibImage& Frame() {
    static const CDibImage frame = [] {
        CDibImage f;
        f.create(kWidth, kHeight, 24);
        std::uint32_t seed = 1;
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* p = f.scanLine(y);
            for (int x = 0; x < kWidth; ++x, p += 3) {
                seed = seed * 1664525u + 1013904223u;
                // Stripes with a little noise: gradients everywhere, as a specimen has.
                const int v = ((x / 7 + y / 11) % 2) * 160 + static_cast<int>(seed >> 28);
                p[0] = static_cast<std::uint8_t>(v);
                p[1] = static_cast<std::uint8_t>(v / 2 + 40);
                p[2] = static_cast<std::uint8_t>(255 - v);
            }
        }
        return f;
    }();
    return frame;
}

FocusAreas FourAreas() {
    FocusAreas areas;
    const int corners[4][2] = {{100, 100}, {900, 120}, {150, 700}, {850, 650}};
    for (const auto& c : corners) {
        areas.arm();
        areas.press({static_cast<double>(c[0]), static_cast<double>(c[1])});
        areas.release({c[0] + 200.0, c[1] + 200.0});
    }
    return areas;
}

void FocusPerFrame(benchmark::State& state) {
    const CDibImage& frame = Frame();
    ColorSettings color;
    color.focusflg = 1;
    color.focuspos = kHeight / 2;
    FocusProfile profile;
    FocusAreas areas = FourAreas();
    for (auto _ : state) {
        profile.update(frame, color);
        areas.updateValues(frame);
        benchmark::DoNotOptimize(profile.values().data());
        benchmark::DoNotOptimize(areas.areas().data());
    }
}

// The same values through a grey copy of the whole frame, the road the areas avoid.
void FocusPerFrameWholeGrey(benchmark::State& state) {
    const CDibImage& frame = Frame();
    ColorSettings color;
    color.focusflg = 1;
    color.focuspos = kHeight / 2;
    FocusProfile profile;
    FocusAreas areas = FourAreas();
    CDibImage grey;
    grey.create(kWidth, kHeight, 8);
    for (auto _ : state) {
        profile.update(frame, color);
        ToGrey8(frame, grey);
        std::int32_t sum = 0;
        for (const FocusArea& a : areas.areas())
            sum += FocusAreaValue(grey, a.rect);
        benchmark::DoNotOptimize(sum);
    }
}

void FrameMemcpy(benchmark::State& state) {
    const CDibImage& frame = Frame();
    CDibImage copy;
    copy.create(kWidth, kHeight, 24);
    for (auto _ : state) {
        std::memcpy(copy.bits(), frame.bits(), frame.byteSize());
        benchmark::DoNotOptimize(copy.bits());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(FrameMemcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(FocusPerFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(FocusPerFrameWholeGrey)->Unit(benchmark::kMicrosecond);

} // namespace
