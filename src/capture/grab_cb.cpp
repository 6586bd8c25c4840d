#include "capture/grab_cb.h"

#include "capture/capture_events.h"
#include "capture/shared_frame.h"

#include <QCoreApplication>

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

CGrabCB::CGrabCB(SharedFrame* destination, QObject* window, std::size_t byteCount,
                 std::uint64_t generation)
    : m_destination(destination), m_window(window), m_byteCount(byteCount), m_generation(generation) {}

CGrabCB::~CGrabCB() { gst_caps_replace(&m_caps, nullptr); }

int CGrabCB::BufferCB(const FrameView& frame) {
    if (!m_destination || m_destination->byteSize() != m_byteCount)
        return 0;
    if (!m_destination->write(frame))
        return 0; // the window has not taken the previous announcement yet
    if (m_window)
        QCoreApplication::postEvent(m_window, new FrameArrivedEvent(m_generation));
    else
        m_destination->cancelPending();
    return 0;
}

int CGrabCB::OnNewSample(GstAppSink* sink, void* user) {
    auto* self = static_cast<CGrabCB*>(user);
    GstSample* sample = gst_app_sink_pull_sample(sink);
    if (!sample)
        return GST_FLOW_EOS;
    GstCaps* caps = gst_sample_get_caps(sample);
    if (caps != self->m_caps) {
        GstVideoInfo info;
        gst_video_info_init(&info);
        if (caps && gst_video_info_from_caps(&info, caps) &&
            GST_VIDEO_INFO_FORMAT(&info) == GST_VIDEO_FORMAT_BGR) {
            self->m_width = GST_VIDEO_INFO_WIDTH(&info);
            self->m_height = GST_VIDEO_INFO_HEIGHT(&info);
            self->m_stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
        } else {
            self->m_width = self->m_height = self->m_stride = 0;
        }
        gst_caps_replace(&self->m_caps, caps);
    }
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstMapInfo map;
    if (buffer && self->m_width > 0 && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        FrameView view{map.data, map.size, self->m_width, self->m_height, self->m_stride};
        // Buffers may carry their own row layout.
        if (const GstVideoMeta* meta = gst_buffer_get_video_meta(buffer)) {
            view.stride = meta->stride[0];
            view.data += meta->offset[0];
            view.size = meta->offset[0] < map.size ? map.size - meta->offset[0] : 0;
        }
        self->BufferCB(view);
        gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}
