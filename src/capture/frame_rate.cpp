#include "capture/frame_rate.h"

void FrameRateCounter::count(std::uint32_t now) {
    ++m_frameCount;
    const std::uint32_t elapsed = now - m_rateStart;
    if (elapsed > 1000) {
        frameRate = static_cast<double>(m_frameCount) * 1000.0 / elapsed;
        m_frameCount = 0;
        m_rateStart = now;
    }
}
