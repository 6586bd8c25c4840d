#include "platform/clock.h"

#include <atomic>
#include <chrono>

namespace {

class SteadyClock : public Clock {
public:
    std::uint32_t nowMs() const override {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<std::uint32_t>(ms.count());
    }
};

const SteadyClock kSteady;
std::atomic<const Clock*> g_clock{&kSteady};

} // namespace

const Clock& Clock::current() { return *g_clock.load(std::memory_order_acquire); }

void Clock::install(const Clock* clock) {
    g_clock.store(clock ? clock : &kSteady, std::memory_order_release);
}

std::uint32_t GetTickCount() { return Clock::current().nowMs(); }
