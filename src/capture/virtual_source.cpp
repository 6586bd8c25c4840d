#include "capture/virtual_source.h"

#include "capture/capture_device.h"
#include "capture/media_subtype.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <string>
#include <thread>

VirtualSource::VirtualSource(std::shared_ptr<VirtualCamera> camera, const FormatChoice& choice)
    : m_camera(std::move(camera)) {
    if (!m_camera)
        return;
    const VirtualCameraConfig& config = m_camera->config();
    m_width = config.deliverWidth > 0 ? config.deliverWidth : choice.width > 0 ? choice.width : config.width;
    m_height = config.deliverHeight > 0 ? config.deliverHeight : choice.height > 0 ? choice.height : config.height;
    m_rate = choice.rate.isSet() ? choice.rate : config.rate.isSet() ? config.rate : FrameRate{30, 1};
    if (!m_camera->prepare(m_width, m_height))
        return;

    GstVideoInfo info;
    gst_video_info_set_format(&info, GST_VIDEO_FORMAT_BGR, static_cast<guint>(m_width),
                              static_cast<guint>(m_height));
    GST_VIDEO_INFO_FPS_N(&info) = m_rate.num;
    GST_VIDEO_INFO_FPS_D(&info) = m_rate.den;
    m_stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
    m_size = GST_VIDEO_INFO_SIZE(&info);
    GstCaps* caps = gst_video_info_to_caps(&info);

    m_pool = gst_buffer_pool_new();
    GstStructure* poolConfig = gst_buffer_pool_get_config(m_pool);
    gst_buffer_pool_config_set_params(poolConfig, caps, static_cast<guint>(m_size), 2, 0);
    const bool poolReady = gst_buffer_pool_set_config(m_pool, poolConfig) && gst_buffer_pool_set_active(m_pool, TRUE);

    // The source bin: appsrc delivering B, G, R, converted to the camera's own subtype.
    GstElement* bin = gst_bin_new(nullptr);
    GstElement* appsrc = gst_element_factory_make("appsrc", nullptr);
    if (!poolReady || !bin || !appsrc) {
        gst_caps_unref(caps);
        if (bin)
            gst_object_unref(gst_object_ref_sink(bin));
        if (appsrc)
            gst_object_unref(gst_object_ref_sink(appsrc));
        return;
    }
    g_object_set(appsrc, "caps", caps, "is-live", TRUE, "format", GST_FORMAT_TIME, "do-timestamp", TRUE,
                 "max-buffers", static_cast<guint64>(2), "block", FALSE, nullptr);
    gst_caps_unref(caps);
    gst_bin_add(GST_BIN(bin), appsrc);
    GstElement* last = appsrc;
    const GUID subtype = m_camera->config().subtype;
    if (!(subtype == MEDIASUBTYPE_RGB24) && FindMediaSubtype(subtype)) {
        GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
        GstElement* encode = subtype == MEDIASUBTYPE_MJPG ? gst_element_factory_make("jpegenc", nullptr) : nullptr;
        GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
        GstCaps* outCaps = gst_caps_from_string(MediaSubtypeCaps(subtype).c_str());
        bool ok = convert && filter && outCaps && (encode || !(subtype == MEDIASUBTYPE_MJPG));
        if (ok) {
            g_object_set(filter, "caps", outCaps, nullptr);
            gst_bin_add_many(GST_BIN(bin), convert, filter, nullptr);
            if (encode)
                gst_bin_add(GST_BIN(bin), encode);
            ok = encode ? gst_element_link_many(last, convert, encode, filter, nullptr)
                        : gst_element_link_many(last, convert, filter, nullptr);
            last = filter;
        } else {
            for (GstElement* e : {convert, encode, filter})
                if (e)
                    gst_object_unref(gst_object_ref_sink(e));
        }
        if (outCaps)
            gst_caps_unref(outCaps);
        if (!ok) {
            gst_object_unref(gst_object_ref_sink(bin));
            return;
        }
    }
    GstPad* pad = gst_element_get_static_pad(last, "src");
    gst_element_add_pad(bin, gst_ghost_pad_new("src", pad));
    gst_object_unref(pad);

    GstAppSrcCallbacks callbacks{};
    callbacks.need_data = &VirtualSource::NeedData;
    gst_app_src_set_callbacks(GST_APP_SRC(appsrc), &callbacks, this, nullptr);
    m_appsrc = GST_APP_SRC(appsrc);
    // Held here as well as by the graph: the callbacks point at this object, which goes
    // only after the graph.
    m_bin = GST_ELEMENT(gst_object_ref_sink(bin));
    m_next = std::chrono::steady_clock::now();
}

VirtualSource::~VirtualSource() {
    // The graph holding the bin is stopped and released before this.
    if (m_bin)
        gst_object_unref(m_bin);
    if (m_pool) {
        gst_buffer_pool_set_active(m_pool, FALSE);
        gst_object_unref(m_pool);
    }
}

void VirtualSource::NeedData(GstAppSrc*, unsigned, void* self) {
    static_cast<VirtualSource*>(self)->produce();
}

bool VirtualSource::waitForNextFrame() {
    using namespace std::chrono;
    const auto period = duration_cast<steady_clock::duration>(
        duration<double>(static_cast<double>(m_rate.den) / m_rate.num));
    const auto now = steady_clock::now();
    // A source that fell more than a frame behind starts afresh rather than catching up.
    if (m_next + period < now)
        m_next = now;
    while (steady_clock::now() < m_next) {
        if (m_stopping.load())
            return false;
        const auto left = m_next - steady_clock::now();
        std::this_thread::sleep_for(std::min<steady_clock::duration>(left, milliseconds(5)));
    }
    m_next += period;
    return !m_stopping.load();
}

void VirtualSource::produce() {
    const VirtualCameraConfig& config = m_camera->config();
    if (config.noFrames || m_errorSent)
        return; // the appsrc waits until the graph stops
    if (config.errorAfterFrames >= 0 && m_frames >= static_cast<std::uint64_t>(config.errorAfterFrames)) {
        m_errorSent = true;
        GST_ELEMENT_ERROR(m_appsrc, RESOURCE, READ, ("The camera stopped delivering frames."),
                          ("virtual camera \"%s\" after %llu frames", config.name.c_str(),
                           static_cast<unsigned long long>(m_frames)));
        return;
    }
    if (!waitForNextFrame())
        return;
    GstBuffer* buffer = nullptr;
    if (gst_buffer_pool_acquire_buffer(m_pool, &buffer, nullptr) != GST_FLOW_OK || !buffer)
        return;
    GstMapInfo map;
    if (gst_buffer_map(buffer, &map, GST_MAP_WRITE)) {
        m_camera->render(m_frames, map.data, map.size, m_stride);
        gst_buffer_unmap(buffer, &map);
    }
    ++m_frames;
    gst_app_src_push_buffer(m_appsrc, buffer); // takes the buffer
}
