// The live path allocates nothing per frame: the grabber callback's copy and
// announcement, and the frame handler's work on the user-interface thread.
#include "../e2e/live_fixture.h"

#include "capture/capture_events.h"
#include "capture/grab_cb.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Counts the program's heap requests while switched on (this test program only).
std::atomic<bool> g_counting{false};
std::atomic<int> g_allocations{0};

} // namespace

void* operator new(std::size_t size) {
    if (g_counting.load(std::memory_order_relaxed))
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace e2e {
namespace {

using FramePath = LiveFixture;

TEST_F(FramePath, NoAllocationPerFrame) {
    VirtualCameraConfig cam = TestCamera("Manual", 1280, 1024);
    cam.noFrames = true; // the test hands in the frames
    sources.virtualCameras = {cam};
    // White balance on, and the edge preview shown, so the edge image is made every frame.
    writeSettings("[Manual]\nWidth=1280\nHeight=1024\n[Mirelta]\nm_WB_Flg=1\nm_WB_R=5\nMagnetData.Show=1\n");
    CMeasureDlg& d = open();
    d.hide(); // painting is the picture view's business, measured elsewhere
    std::vector<std::uint8_t> bytes(1280 * 3 * 1024, 90);
    CGrabCB callback(&live().frameImage(), &live(), live().frameImage().byteSize(),
                     live().capture().generation());
    const FrameView frame{bytes.data(), bytes.size(), 1280, 1024, 1280 * 3};
    for (int warm = 0; warm < 3; ++warm) {
        callback.BufferCB(frame);
        QCoreApplication::processEvents();
    }
    const std::uint64_t shownBefore = live().stats().shown;
    int grabber = 0, handler = 0;
    for (int i = 0; i < 30; ++i) {
        g_allocations = 0;
        g_counting = true;
        callback.BufferCB(frame);
        g_counting = false;
        grabber += g_allocations;
        // What the posted announcement does, delivered here so that only it is counted.
        FrameArrivedEvent event(live().capture().generation());
        g_allocations = 0;
        g_counting = true;
        QCoreApplication::sendEvent(&live(), &event);
        g_counting = false;
        handler += g_allocations;
        QCoreApplication::removePostedEvents(&live(), WM_FRAME_ARRIVED);
    }
    EXPECT_EQ(grabber, 0);
    EXPECT_EQ(handler, 0);
    EXPECT_EQ(live().stats().shown, shownBefore + 30);
}

} // namespace
} // namespace e2e
