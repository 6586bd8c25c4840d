#pragma once
#include "capture/frame_copy.h"

#include <cstddef>
#include <cstdint>

class QObject;
class SharedFrame;
typedef struct _GstAppSink GstAppSink;
typedef struct _GstCaps GstCaps;

// The grabber callback: runs on the capture graph's streaming thread for every frame
// the appsink receives, copies it into the frame image and announces it.
class CGrabCB {
public:
    // `destination` is the frame image; `byteCount` its size when the graph was built
    // (a frame image recreated since is not written). Frames are announced to `window`
    // with `generation`.
    // The graph must be torn down before the window is destroyed.
    CGrabCB(SharedFrame* destination, QObject* window, std::size_t byteCount, std::uint64_t generation);
    ~CGrabCB();
    CGrabCB(const CGrabCB&) = delete;
    CGrabCB& operator=(const CGrabCB&) = delete;

    // Copies one frame (top-down B, G, R rows) into the frame image, no more than both
    // sizes allow, and posts WM_FRAME_ARRIVED unless one is still outstanding.
    // Returns 0.
    int BufferCB(const FrameView& frame);

    // The appsink's new-sample callback: maps the sample and calls BufferCB.
    static int OnNewSample(GstAppSink* sink, void* self);

private:
    SharedFrame* m_destination;
    QObject* m_window;
    std::size_t m_byteCount;
    std::uint64_t m_generation;
    // The caps of the previous sample and the frame layout they give; read again only
    // when the caps change.
    GstCaps* m_caps = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
};
