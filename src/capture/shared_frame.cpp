#include "capture/shared_frame.h"

int SharedFrame::create(int width, int height) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_image.create(width, height, 24))
        return 0;
    m_image.fillRect(RGB(255, 255, 255));
    m_pending.store(false, std::memory_order_release);
    return 1;
}

bool SharedFrame::write(const FrameView& frame) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        CopyFrameBottomUp(frame, m_image);
    }
    m_offered.fetch_add(1, std::memory_order_relaxed);
    if (m_pending.exchange(true, std::memory_order_acq_rel)) {
        m_merged.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    m_posted.fetch_add(1, std::memory_order_relaxed);
    return true;
}

SharedFrame::Counters SharedFrame::counters() const {
    return {m_offered.load(std::memory_order_relaxed), m_posted.load(std::memory_order_relaxed),
            m_merged.load(std::memory_order_relaxed)};
}

void SharedFrame::resetCounters() {
    m_offered.store(0);
    m_posted.store(0);
    m_merged.store(0);
}
