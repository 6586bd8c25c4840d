#include "capture/capture_events.h"

#include <atomic>
#include <new>

namespace {

constexpr int kSlots = 8;
struct alignas(std::max_align_t) Slot {
    unsigned char bytes[sizeof(FrameArrivedEvent)];
};
Slot g_slots[kSlots];
std::atomic<bool> g_used[kSlots];

} // namespace

void* FrameArrivedEvent::operator new(std::size_t size) {
    if (size <= sizeof(Slot))
        for (int i = 0; i < kSlots; ++i)
            if (!g_used[i].exchange(true, std::memory_order_acquire))
                return g_slots[i].bytes;
    return ::operator new(size);
}

void FrameArrivedEvent::operator delete(void* p, std::size_t size) {
    for (int i = 0; i < kSlots; ++i)
        if (p == g_slots[i].bytes) {
            g_used[i].store(false, std::memory_order_release);
            return;
        }
    ::operator delete(p, size);
}
