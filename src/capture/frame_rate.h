#pragma once
#include <cstdint>

// Frames per second of the live picture, measured over at least one second.
class FrameRateCounter {
public:
    // Starts a new measurement at `now` (ms) with the rate kept as it is.
    void restart(std::uint32_t now) {
        m_frameCount = 0;
        m_rateStart = now;
    }
    // Counts one frame shown at `now`; once more than 1000 ms have passed since the
    // measurement started, the rate becomes frames x 1000 / elapsed and a new one starts.
    void count(std::uint32_t now);

    double frameRate = 0.0;
    std::uint32_t frameCount() const { return m_frameCount; }

private:
    std::uint32_t m_frameCount = 0;
    std::uint32_t m_rateStart = 0;
};

// Frames announced while the user-interface thread has not run its 100 ms timer for
// half a second are dropped: it is behind, and showing them would only make it later.
inline bool FrameIsLate(std::uint32_t now, std::uint32_t lastTick) {
    return static_cast<std::uint32_t>(now - lastTick) > 500;
}
