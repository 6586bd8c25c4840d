#pragma once
#include "capture/capture_format.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

class VirtualCamera;
typedef struct _GstElement GstElement;
typedef struct _GstAppSrc GstAppSrc;
typedef struct _GstBufferPool GstBufferPool;

// The source element of a virtual camera in one capture graph: an appsrc that
// renders the camera's picture at its frame rate, converted to the format chosen
// for it, like a live camera delivers. Frames come from a buffer pool, so the
// running stream allocates nothing.
class VirtualSource {
public:
    VirtualSource(std::shared_ptr<VirtualCamera> camera, const FormatChoice& choice);
    ~VirtualSource();
    VirtualSource(const VirtualSource&) = delete;
    VirtualSource& operator=(const VirtualSource&) = delete;

    // The source bin (floating until added to a graph); nullptr when it could not be made.
    GstElement* element() const { return m_bin; }
    // Call before the graph stops, so a frame wait in progress ends at once.
    void stop() { m_stopping.store(true); }

    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    static void NeedData(GstAppSrc* src, unsigned length, void* self);
    void produce();
    bool waitForNextFrame();

    std::shared_ptr<VirtualCamera> m_camera;
    GstElement* m_bin = nullptr;
    GstAppSrc* m_appsrc = nullptr;
    GstBufferPool* m_pool = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::size_t m_size = 0;
    FrameRate m_rate;
    std::uint64_t m_frames = 0;
    bool m_errorSent = false;
    std::atomic<bool> m_stopping{false};
    std::chrono::steady_clock::time_point m_next;
};
