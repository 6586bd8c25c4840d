// The live path at camera sizes: the streaming thread's copy of a frame, the
// user-interface thread's work on it, and a plain memcpy of one frame beside them.
#include "capture/frame_copy.h"
#include "capture/live_frame.h"
#include "capture/shared_frame.h"
#include "capture/synthetic_picture.h"
#include "capture/white_balance.h"
#include "images/dib_image.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<std::uint8_t> TopDownFrame(int width, int height) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>((width * 3 + 3) & ~3) * height);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 13);
    return bytes;
}

// The yardstick: one frame's bytes copied once.
void Memcpy(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto source = TopDownFrame(w, h);
    std::vector<std::uint8_t> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size()));
}

// The grabber callback: the frame flipped into the frame image under its lock.
void GrabberCopy(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto source = TopDownFrame(w, h);
    SharedFrame frame;
    frame.create(w, h);
    const FrameView view{source.data(), source.size(), w, h, (w * 3 + 3) & ~3};
    for (auto _ : state) {
        frame.write(view);
        frame.cancelPending();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size()));
}

// The frame handler's own steps: the display image from the frame image under the lock
// (args: size, display size 0 = unscaled, white-balance offsets on).
void FrameHandler(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    ResizeSettings resize;
    if (state.range(2)) {
        resize.Resize_Width = 800;
        resize.Resize_Height = 600;
    }
    SharedFrame frame;
    frame.create(w, h);
    CDibImage display;
    int dw = 0, dh = 0;
    DisplaySizeFor(resize, w, h, dw, dh);
    display.create(dw, dh, 24);
    WhiteBalanceOffsets offsets;
    offsets.m_WB_Flg = static_cast<int>(state.range(3));
    offsets.m_WB_R = 12;
    offsets.m_WB_B = -7;
    WhiteBalanceMeasure measure;
    for (auto _ : state) {
        frame.read([&](const CDibImage& image) {
            return PrepareLiveFrame(image, display, resize, offsets, measure, 1000, 1000);
        });
        benchmark::DoNotOptimize(display.bits());
        benchmark::ClobberMemory();
    }
}

// The demo camera's frame: the specimen through its controls with a little noise.
void DemoCameraFrame(benchmark::State& state) {
    SyntheticPicture picture;
    picture.build(SyntheticPicture::Pattern::Specimen, 1280, 1024);
    SyntheticPicture::Controls c;
    c.noise = static_cast<int>(state.range(0));
    picture.setControls(c);
    std::vector<std::uint8_t> frame(1280 * 3 * 1024);
    std::uint64_t n = 0;
    for (auto _ : state) {
        picture.render(n++, frame.data(), frame.size(), 1280 * 3);
        benchmark::DoNotOptimize(frame.data());
    }
}

BENCHMARK(Memcpy)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(GrabberCopy)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(FrameHandler)
    ->Args({1280, 1024, 0, 0})
    ->Args({1280, 1024, 0, 1})
    ->Args({1280, 1024, 1, 0})
    ->Args({1920, 1080, 0, 0})
    ->Args({1920, 1080, 0, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoCameraFrame)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

} // namespace
