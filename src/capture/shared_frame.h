#pragma once
#include "capture/frame_copy.h"
#include "images/dib_image.h"

#include <atomic>
#include <cstdint>
#include <mutex>

// The frame image: the one picture the capture's streaming thread and the
// user-interface thread share. The streaming thread copies each frame in under the
// lock; the user-interface thread reads it under the same lock, so it never sees
// half of one frame and half of the next.
//
// At most one notification is outstanding: the streaming thread asks to post only
// when the previous one has been taken, so a slow user-interface thread sees the
// newest frame instead of a queue of stale ones.
class SharedFrame {
public:
    struct Counters {
        std::uint64_t offered = 0; // frames copied in
        std::uint64_t posted = 0;  // notifications sent
        std::uint64_t merged = 0;  // frames whose notification an earlier one covered
    };

    // Recreates the image filled with white. Only while no stream writes into it.
    int create(int width, int height);
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    // Bytes of the image (stride x height), the count the capture copies at most.
    std::size_t byteSize() const { return m_image.byteSize(); }

    // Streaming thread: copies the frame in (see CopyFrameBottomUp) and says whether
    // the caller should post a notification (false while one is still outstanding).
    bool write(const FrameView& frame);

    // User-interface thread: takes the outstanding notification, then calls
    // f(const CDibImage&) under the lock.
    template <class F> decltype(auto) read(F&& f) {
        m_pending.store(false, std::memory_order_release);
        std::lock_guard<std::mutex> lock(m_mutex);
        return f(static_cast<const CDibImage&>(m_image));
    }

    // Streaming thread: the notification write() asked for could not be sent.
    void cancelPending() { m_pending.store(false, std::memory_order_release); }

    Counters counters() const;
    void resetCounters();

private:
    mutable std::mutex m_mutex;
    CDibImage m_image;
    std::atomic<bool> m_pending{false};
    std::atomic<std::uint64_t> m_offered{0};
    std::atomic<std::uint64_t> m_posted{0};
    std::atomic<std::uint64_t> m_merged{0};
};
