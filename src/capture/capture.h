#pragma once
#include "capture/capture_device.h"
#include "capture/capture_format.h"
#include "capture/media_subtype.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGrabCB;
class DeviceControls;
class QObject;
class QWidget;
class SharedFrame;
class VirtualSource;
typedef struct _GstElement GstElement;
typedef struct _GstDeviceMonitor GstDeviceMonitor;

// The capture graph: turns one video device into a stream of 24-bit B, G, R frames
// delivered to the grabber callback. Built on GStreamer:
//   source -> [tee -> fakesink] -> [jpegdec] -> videoconvert -> appsink (BGR)
// The source is v4l2src for the platform's devices and an appsrc for virtual cameras.
// Every operation runs on the user-interface thread; only the callback runs on the
// graph's streaming thread. Errors on the graph's bus (an unplugged or busy camera, a
// refused format) are posted to the receiving window as CaptureErrorEvent; nothing
// here ends or blocks the program.
class CCapture {
public:
    explicit CCapture(CameraSources sources = {});
    virtual ~CCapture();
    CCapture(const CCapture&) = delete;
    CCapture& operator=(const CCapture&) = delete;

    // Up to 10 friendly names (each at most 255 characters) in enumeration order; the
    // count, or -1 when there is no video input device at all.
    int EnumDeviceNames(std::vector<std::string>& names);
    // 1 and the name of device `index`, or 0 (index outside 0..9, or no such device)
    // with the name emptied.
    int GetDeviceName(int index, std::string& name);

    // Opens device `deviceIndex`: its source element in a new graph, the format chosen
    // from what the device offers (see ChooseFormat). When the device lacks the requested
    // size, width and height become the nearest size it has. 0, or a negative failure code.
    int OpenDevice();
    // Completes and runs the graph (opening the device first when needed): frames go
    // into `destination` (`byteCount` bytes) and are announced to `receiver`. A Smart Tee
    // route adds a tee with a second, discarding branch. 1 on success.
    int BuildGraph(QObject* receiver, SharedFrame* destination, std::size_t byteCount, bool useSmartTee);
    int Run();  // 1 when the graph started or is starting
    int Stop(); // 1 when the graph stopped
    // Stops and releases the graph; afterwards no frame or error of it is announced.
    void Teardown();

    // The property windows (Mirelta's own): the device's formats, its video inputs and its
    // picture controls. The format window reads back width, height, frame interval and
    // subtype when the operator chooses a format and returns true then. The formats come
    // from the device list, so no temporary graph is needed for any of them.
    bool ShowFormatPage(QWidget* parent);
    void ShowCrossbarPage(QWidget* parent);
    void ShowDevicePage(QWidget* parent);

    // The device of `deviceIndex` as last enumerated (nullptr when there is none).
    const CaptureDeviceInfo* currentDevice();
    // Controls of the current device: V4L2 controls of its node, or a virtual camera's.
    std::unique_ptr<DeviceControls> openControls();
    // The format chosen by the last OpenDevice.
    const FormatChoice& formatChoice() const { return m_choice; }
    // Names the graph: events carry it, and it changes at every teardown.
    std::uint64_t generation() const { return m_generation; }
    bool hasGraph() const { return m_pipeline != nullptr; }

    int running = 0;
    int deviceIndex = -1;
    int width = 640;
    int height = 480;
    int priority = 0;
    std::int64_t frameInterval = 333333;
    GUID subtype = MEDIASUBTYPE_None;
    int controllerPresent = 0;

private:
    std::vector<CaptureDeviceInfo> enumerate();
    void releasePipeline();
    static int OnBusMessage(void* bus, void* message, void* self);

    CameraSources m_sources;
    std::vector<std::shared_ptr<VirtualCamera>> m_virtual;
    std::vector<CaptureDeviceInfo> m_devices;
    GstDeviceMonitor* m_monitor = nullptr;
    GstElement* m_pipeline = nullptr;
    GstElement* m_source = nullptr;
    GstElement* m_tail = nullptr; // the last element the device part of the graph ends in
    std::unique_ptr<VirtualSource> m_virtualSource;
    std::unique_ptr<CGrabCB> callback;
    CaptureDeviceInfo m_device;
    FormatChoice m_choice;
    QObject* m_receiver = nullptr;
    std::uint64_t m_generation = 1;
    std::atomic<bool> m_errorPosted{false}; // one error per graph is enough
};

// Starts GStreamer once for the process; false when it cannot be started.
bool InitCaptureFramework();
// Ends the worker threads GStreamer keeps after its graphs stop (idle, but they would
// otherwise outlive the window and the application object): waits for every streaming
// task, then lets the parked threads go. Call once every capture is torn down, as the
// program ends: a graph still streaming would be waited for.
void ReleaseCaptureThreads();
