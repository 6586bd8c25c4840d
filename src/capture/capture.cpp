#include "capture/capture.h"

#include "capture/capture_events.h"
#include "capture/device_controls_dlg.h"
#include "capture/device_path.h"
#include "capture/format_dlg.h"
#include "capture/grab_cb.h"
#include "capture/input_dlg.h"
#include "capture/shared_frame.h"
#include "capture/v4l2_controls.h"
#include "capture/virtual_controls.h"
#include "capture/virtual_source.h"

#include <QCoreApplication>
#include <QWidget>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <algorithm>
#include <mutex>

namespace {

// Names of the graph's elements, for logs and debugging tools.
constexpr const char* kSourceName = "Video Capture";
constexpr const char* kTeeName = "Smart";
constexpr const char* kSinkName = "Grabber";

std::string Cut(std::string text, std::size_t chars) {
    // Cut on a character boundary of the UTF-8 text.
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && n++ == chars) {
            text.resize(i);
            break;
        }
    }
    return text;
}

void AddRate(const GValue* v, CaptureFormat& f) {
    if (GST_VALUE_HOLDS_FRACTION(v)) {
        f.rates.push_back({gst_value_get_fraction_numerator(v), gst_value_get_fraction_denominator(v)});
    } else if (GST_VALUE_HOLDS_FRACTION_RANGE(v)) {
        const GValue* lo = gst_value_get_fraction_range_min(v);
        const GValue* hi = gst_value_get_fraction_range_max(v);
        f.minRate = {gst_value_get_fraction_numerator(lo), gst_value_get_fraction_denominator(lo)};
        f.maxRate = {gst_value_get_fraction_numerator(hi), gst_value_get_fraction_denominator(hi)};
        // Ranges starting at 0 frames/s mean "as slow as you like".
        if (!f.minRate.isSet())
            f.minRate = {1, 1};
    } else if (GST_VALUE_HOLDS_LIST(v)) {
        for (guint i = 0; i < gst_value_list_get_size(v); ++i)
            AddRate(gst_value_list_get_value(v, i), f);
    }
}

int SizeField(const GstStructure* s, const char* field) {
    const GValue* v = gst_structure_get_value(s, field);
    if (!v)
        return 0;
    if (G_VALUE_HOLDS_INT(v))
        return g_value_get_int(v);
    if (GST_VALUE_HOLDS_INT_RANGE(v))
        return gst_value_get_int_range_max(v); // a scaler: offer its largest picture
    return 0;
}

// The formats stated by a device's caps, in their order.
std::vector<CaptureFormat> FormatsOfCaps(GstCaps* caps) {
    std::vector<CaptureFormat> formats;
    if (!caps)
        return formats;
    for (guint i = 0; i < gst_caps_get_size(caps) && formats.size() < 512; ++i) {
        const GstStructure* s = gst_caps_get_structure(caps, i);
        CaptureFormat f;
        f.width = SizeField(s, "width");
        f.height = SizeField(s, "height");
        if (f.width <= 0 || f.height <= 0)
            continue;
        if (const GValue* rate = gst_structure_get_value(s, "framerate"))
            AddRate(rate, f);
        const char* mediaType = gst_structure_get_name(s);
        std::vector<std::string> names;
        const GValue* format = gst_structure_get_value(s, "format");
        if (format && G_VALUE_HOLDS_STRING(format))
            names.emplace_back(g_value_get_string(format));
        else if (format && GST_VALUE_HOLDS_LIST(format))
            for (guint k = 0; k < gst_value_list_get_size(format); ++k)
                if (const GValue* item = gst_value_list_get_value(format, k); G_VALUE_HOLDS_STRING(item))
                    names.emplace_back(g_value_get_string(item));
        if (names.empty())
            names.emplace_back();
        for (const std::string& name : names) {
            const MediaSubtypeInfo* row = FindMediaSubtype(mediaType, name);
            // Formats the table lacks are kept with a made-up GUID: listed, never chosen.
            f.subtype = row ? row->guid : GUID{0, 0, 0, {'?', '?', '?', '?', '?', '?', '?', '?'}};
            formats.push_back(f);
        }
    }
    return formats;
}

std::string DeviceProperty(GstStructure* props, const char* key) {
    const char* v = props ? gst_structure_get_string(props, key) : nullptr;
    return v ? v : "";
}

GstElement* Make(const char* factory, const char* name = nullptr) {
    return gst_element_factory_make(factory, name);
}

} // namespace

bool InitCaptureFramework() {
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        GError* error = nullptr;
        ok = gst_init_check(nullptr, nullptr, &error);
        if (!ok) {
            qWarning("Mirelta: GStreamer could not start: %s", error ? error->message : "unknown reason");
            g_clear_error(&error);
        }
    });
    return ok;
}

void ReleaseCaptureThreads() {
    if (!gst_is_initialized())
        return;
    gst_task_cleanup_all(); // waits for every task of the pools, then frees them
    // GLib parks the freed pools' threads for reuse; from now on none is kept, so those
    // parked and those still on their way there end.
    g_thread_pool_set_max_unused_threads(0);
}

CCapture::CCapture(CameraSources sources) : m_sources(std::move(sources)) {
    InitCaptureFramework();
    for (const VirtualCameraConfig& config : m_sources.virtualCameras)
        m_virtual.push_back(std::make_shared<VirtualCamera>(config));
}

CCapture::~CCapture() {
    Teardown();
    if (m_monitor)
        gst_object_unref(m_monitor);
}

std::vector<CaptureDeviceInfo> CCapture::enumerate() {
    std::vector<CaptureDeviceInfo> devices;
    if (m_sources.realDevices && InitCaptureFramework()) {
        if (!m_monitor) {
            m_monitor = gst_device_monitor_new();
            gst_device_monitor_add_filter(m_monitor, "Video/Source", nullptr);
        }
        // Not started: asking probes the hardware as it is now.
        GList* list = gst_device_monitor_get_devices(m_monitor);
        for (GList* l = list; l; l = l->next) {
            GstDevice* device = GST_DEVICE(l->data);
            GstStructure* props = gst_device_get_properties(device);
            CaptureDeviceInfo info;
            info.node = DeviceProperty(props, "device.path");
            if (info.node.empty())
                info.node = DeviceProperty(props, "api.v4l2.path");
            gchar* name = gst_device_get_display_name(device);
            info.name = Cut(name ? name : "", 255);
            g_free(name);
            const auto vendor = ParseUsbId(DeviceProperty(props, "device.vendor.id"));
            const auto product = ParseUsbId(DeviceProperty(props, "device.product.id"));
            info.path = vendor && product ? MakeDevicePath({*vendor, *product}, info.node) : info.node;
            GstCaps* caps = gst_device_get_caps(device);
            info.formats = FormatsOfCaps(caps);
            if (caps)
                gst_caps_unref(caps);
            if (props)
                gst_structure_free(props);
            // Only devices a source element can open by node.
            if (!info.node.empty())
                devices.push_back(std::move(info));
        }
        g_list_free_full(list, gst_object_unref);
    }
    for (const CaptureDeviceInfo& fixed : m_sources.fixedDevices)
        devices.push_back(fixed);
    for (const auto& camera : m_virtual) {
        CaptureDeviceInfo info;
        info.name = Cut(camera->config().name, 255);
        info.path = camera->config().devicePath();
        info.formats = camera->config().offeredFormats();
        info.virtualCamera = camera;
        devices.push_back(std::move(info));
    }
    OrderCaptureDevices(devices);
    return devices;
}

int CCapture::EnumDeviceNames(std::vector<std::string>& names) {
    names.clear();
    m_devices = enumerate();
    for (const CaptureDeviceInfo& d : m_devices)
        names.push_back(d.name);
    return names.empty() ? -1 : static_cast<int>(names.size());
}

int CCapture::GetDeviceName(int index, std::string& name) {
    name.clear();
    if (index < 0 || index >= kMaxCaptureDevices)
        return 0;
    std::vector<std::string> names;
    if (EnumDeviceNames(names) <= index)
        return 0;
    name = names[static_cast<std::size_t>(index)];
    return 1;
}

const CaptureDeviceInfo* CCapture::currentDevice() {
    if (deviceIndex < 0 || deviceIndex >= kMaxCaptureDevices)
        return nullptr;
    if (static_cast<std::size_t>(deviceIndex) >= m_devices.size())
        m_devices = enumerate();
    if (static_cast<std::size_t>(deviceIndex) >= m_devices.size())
        return nullptr;
    return &m_devices[static_cast<std::size_t>(deviceIndex)];
}

int CCapture::OpenDevice() {
    Teardown();
    controllerPresent = 0;
    if (deviceIndex < 0 || deviceIndex >= kMaxCaptureDevices || !InitCaptureFramework())
        return -1;
    m_devices = enumerate();
    if (static_cast<std::size_t>(deviceIndex) >= m_devices.size())
        return -1;
    m_device = m_devices[static_cast<std::size_t>(deviceIndex)];
    // The register-controlled camera is known by its USB ids; its controller is attached
    // by the camera-control code.
    controllerPresent = IsRegisterCameraPath(m_device.path) ? 1 : 0;

    FormatRequest request;
    request.width = width;
    request.height = height;
    request.frameInterval = frameInterval;
    request.subtype = subtype;
    m_choice = ChooseFormat(m_device.formats, request);
    if (m_choice.kind == FormatChoice::Kind::Nearest) {
        // The device cannot make the requested size; the frame image takes the one it makes.
        width = m_choice.width;
        height = m_choice.height;
    }

    m_pipeline = gst_pipeline_new("Mirelta capture");
    if (m_device.virtualCamera) {
        m_virtualSource = std::make_unique<VirtualSource>(m_device.virtualCamera, m_choice);
        m_source = m_virtualSource->element();
    } else {
        m_source = Make("v4l2src", kSourceName);
        if (m_source)
            g_object_set(m_source, "device", m_device.node.c_str(), nullptr);
    }
    if (!m_pipeline || !m_source) {
        if (m_source && !m_virtualSource)
            gst_object_unref(gst_object_ref_sink(m_source));
        m_source = nullptr;
        releasePipeline();
        return -2;
    }
    if (m_virtualSource)
        gst_object_set_name(GST_OBJECT(m_source), kSourceName);
    gst_bin_add(GST_BIN(m_pipeline), m_source);
    m_tail = m_source;
    // A virtual source makes exactly the chosen format itself (or, when told to misbehave,
    // another size, which must reach the frame copy).
    if (!m_virtualSource) {
        GstElement* filter = Make("capsfilter");
        GstCaps* caps = gst_caps_from_string(CapsForChoice(m_choice).c_str());
        if (!filter || !caps) {
            if (filter)
                gst_object_unref(gst_object_ref_sink(filter));
            if (caps)
                gst_caps_unref(caps);
            releasePipeline();
            return -2;
        }
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);
        gst_bin_add(GST_BIN(m_pipeline), filter);
        if (!gst_element_link(m_source, filter)) {
            releasePipeline();
            return -3;
        }
        m_tail = filter;
    }
    return 0;
}

int CCapture::BuildGraph(QObject* receiver, SharedFrame* destination, std::size_t byteCount,
                         bool useSmartTee) {
    if (!m_pipeline && OpenDevice() != 0)
        return 0;
    if (!m_pipeline || callback)
        return 0; // already built

    std::vector<GstElement*> chain;
    bool ok = true;
    auto add = [&](GstElement* e) {
        if (!e) {
            ok = false;
            return;
        }
        gst_bin_add(GST_BIN(m_pipeline), e);
        chain.push_back(e);
    };
    // Smart Tee: the picture leaves through a tee whose second branch is discarded, the
    // route some cameras need to deliver at all. A source with a preview output of its
    // own would not take it; v4l2 sources have none.
    GstElement* tee = nullptr;
    if (useSmartTee) {
        tee = Make("tee", kTeeName);
        GstElement* spareQueue = Make("queue");
        GstElement* spare = Make("fakesink");
        if (tee && spareQueue && spare) {
            g_object_set(spareQueue, "leaky", 2, "max-size-buffers", 1u, nullptr);
            g_object_set(spare, "sync", FALSE, "async", FALSE, nullptr);
            gst_bin_add_many(GST_BIN(m_pipeline), tee, spareQueue, spare, nullptr);
            ok = gst_element_link(m_tail, tee) && gst_element_link_many(tee, spareQueue, spare, nullptr);
            m_tail = tee;
            add(Make("queue"));
            if (!chain.empty())
                g_object_set(chain.back(), "leaky", 2, "max-size-buffers", 2u, nullptr);
        } else {
            // Without a tee the picture still comes; carry on without it.
            for (GstElement* e : {tee, spareQueue, spare})
                if (e)
                    gst_object_unref(gst_object_ref_sink(e));
            tee = nullptr;
        }
    }
    if (m_choice.subtype == MEDIASUBTYPE_MJPG)
        add(Make("jpegdec"));
    add(Make("videoconvert"));
    GstElement* sink = Make("appsink", kSinkName);
    add(sink);
    if (!ok) {
        releasePipeline();
        return 0;
    }
    GstCaps* bgr = gst_caps_from_string("video/x-raw,format=BGR");
    // Live sources deliver as fast as they can; the appsink only copies.
    g_object_set(sink, "caps", bgr, "sync", FALSE, "emit-signals", FALSE, "enable-last-sample", FALSE,
                 "max-buffers", 1u, "drop", TRUE, nullptr);
    gst_caps_unref(bgr);
    GstElement* previous = m_tail;
    for (GstElement* e : chain) {
        if (!gst_element_link(previous, e)) {
            releasePipeline();
            return 0;
        }
        previous = e;
    }

    m_receiver = receiver;
    m_errorPosted.store(false);
    GstBus* bus = gst_element_get_bus(m_pipeline);
    gst_bus_set_sync_handler(
        bus, [](GstBus* b, GstMessage* m, gpointer self) {
            return static_cast<GstBusSyncReply>(OnBusMessage(b, m, self));
        },
        this, nullptr);
    gst_object_unref(bus);

    callback = std::make_unique<CGrabCB>(destination, receiver, byteCount, m_generation);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = [](GstAppSink* s, gpointer self) {
        return static_cast<GstFlowReturn>(CGrabCB::OnNewSample(s, self));
    };
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, callback.get(), nullptr);
    return Run();
}

int CCapture::OnBusMessage(void*, void* message, void* user) {
    auto* self = static_cast<CCapture*>(user);
    auto* msg = static_cast<GstMessage*>(message);
    const GstMessageType type = GST_MESSAGE_TYPE(msg);
    if ((type == GST_MESSAGE_ERROR || type == GST_MESSAGE_EOS) && self->m_receiver &&
        !self->m_errorPosted.exchange(true)) {
        QString text = QStringLiteral("end of stream");
        if (type == GST_MESSAGE_ERROR) {
            GError* error = nullptr;
            gchar* debug = nullptr;
            gst_message_parse_error(msg, &error, &debug);
            text = QString::fromUtf8(error ? error->message : "error");
            if (debug)
                text += QStringLiteral(" (") + QString::fromUtf8(debug) + QStringLiteral(")");
            g_clear_error(&error);
            g_free(debug);
        }
        QCoreApplication::postEvent(self->m_receiver, new CaptureErrorEvent(self->m_generation, text));
    }
    // Nobody reads the bus: everything of interest was taken here.
    return GST_BUS_DROP;
}

int CCapture::Run() {
    if (!m_pipeline)
        return 0;
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        // The bus has the reason (busy, unplugged, refused format) and reports it.
        running = 0;
        return 0;
    }
    running = 1;
    return 1;
}

int CCapture::Stop() {
    if (!m_pipeline)
        return 0;
    if (gst_element_set_state(m_pipeline, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE)
        return 0;
    running = 0;
    return 1;
}

void CCapture::releasePipeline() {
    if (m_virtualSource)
        m_virtualSource->stop();
    if (m_pipeline) {
        // Returns once the streaming threads have left the callbacks.
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(m_pipeline);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(m_pipeline);
    }
    m_pipeline = nullptr;
    m_source = nullptr;
    m_tail = nullptr;
    callback.reset();
    m_virtualSource.reset();
    m_receiver = nullptr;
    running = 0;
}

void CCapture::Teardown() {
    if (!m_pipeline && !callback)
        return;
    releasePipeline();
    ++m_generation; // whatever this graph announced and is still queued is now stale
}

std::unique_ptr<DeviceControls> CCapture::openControls() {
    const CaptureDeviceInfo* device = m_pipeline ? &m_device : currentDevice();
    if (!device)
        return nullptr;
    if (device->virtualCamera)
        return std::make_unique<VirtualControls>(device->virtualCamera);
    auto controls = std::make_unique<V4l2Controls>(device->node);
    if (!controls->isOpen())
        return nullptr;
    return controls;
}

bool CCapture::ShowFormatPage(QWidget* parent) {
    const CaptureDeviceInfo* device = m_pipeline ? &m_device : currentDevice();
    if (!device)
        return false;
    CFormatDlg dlg(QString::fromStdString(device->name), FormatRows(device->formats), parent);
    FormatRow current;
    current.width = width;
    current.height = height;
    current.subtype = subtype;
    current.rate = RateOfInterval(frameInterval);
    dlg.select(current);
    if (dlg.exec() != QDialog::Accepted || !dlg.chosen())
        return false;
    const FormatRow row = *dlg.chosen();
    width = row.width;
    height = row.height;
    if (row.rate.isSet())
        frameInterval = IntervalOfRate(row.rate);
    subtype = row.subtype;
    return true;
}

void CCapture::ShowCrossbarPage(QWidget* parent) {
    auto controls = openControls();
    if (!controls)
        return;
    // Inputs cannot change while the device streams.
    const bool wasRunning = running == 1;
    if (wasRunning)
        Stop();
    CInputDlg dlg(*controls, parent);
    dlg.exec();
    if (wasRunning)
        Run();
}

void CCapture::ShowDevicePage(QWidget* parent) {
    if (!m_pipeline)
        return;
    auto controls = openControls();
    if (!controls)
        return;
    CDeviceControlsDlg dlg(QString::fromStdString(m_device.name), *controls, parent);
    dlg.exec();
}
