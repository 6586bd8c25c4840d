#pragma once
#include "capture/capture_format.h"
#include "capture/media_subtype.h"
#include "capture/synthetic_picture.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class SimulatedRegisterCamera;

// A camera made by the program: its frames come from an appsrc element instead of
// a device, through the same capture graph as a real camera's.
struct VirtualCameraConfig {
    std::string name;              // the friendly name
    std::string path;              // the device path; empty: "virtual#<name>"
    int width = 1280;              // the one format offered when `formats` is empty
    int height = 1024;
    FrameRate rate{30, 1};
    GUID subtype = MEDIASUBTYPE_RGB24;
    std::vector<CaptureFormat> formats; // several formats to choose from (tests)
    SyntheticPicture::Pattern pattern = SyntheticPicture::Pattern::Specimen;
    COLORREF solid = RGB(128, 128, 128);
    int noise = 0; // +/- per byte from frame to frame
    // A simulated register controller behind the camera: its gains, exposure and
    // brightness change the picture, and its automatic exposure settles on it.
    std::shared_ptr<SimulatedRegisterCamera> registerCamera;

    // Faults, for tests.
    bool noFrames = false;      // starts, but never delivers a frame
    int errorAfterFrames = -1;  // reports a stream error after this many frames
    int deliverWidth = 0;       // delivers frames of another size than the format's
    int deliverHeight = 0;

    // The formats the camera offers (`formats`, or the single one above).
    std::vector<CaptureFormat> offeredFormats() const;
    std::string devicePath() const { return path.empty() ? "virtual#" + name : path; }
};

// "Demo Microscope": the synthetic specimen at 1280 x 1024 and 30 frames/s.
VirtualCameraConfig DemoCameraConfig();
// The demo's register camera "VESPIR-220KT4": the same specimen behind a simulated
// register controller, on a path with the register camera's USB ids.
VirtualCameraConfig RegisterDemoCameraConfig();

class VirtualCamera;

// One video input device as the capture sees it.
struct CaptureDeviceInfo {
    std::string name; // friendly name
    std::string path; // device path ("usb#vid_3f7a&pid_0b41#/dev/video2")
    std::string node; // "/dev/video2"; empty for virtual cameras
    std::vector<CaptureFormat> formats;
    std::shared_ptr<VirtualCamera> virtualCamera; // set for virtual cameras
};

// Which cameras the program offers.
struct CameraSources {
    bool realDevices = true; // the platform's video devices (V4L2 through the device monitor)
    std::vector<VirtualCameraConfig> virtualCameras;
    // Device nodes offered as they are given, without asking the device monitor (tests:
    // a node that has gone, a device known by its path).
    std::vector<CaptureDeviceInfo> fixedDevices;
};

// A virtual camera while the program runs: its picture and picture controls outlive
// the capture graphs built for it, so settings stay from one start to the next.
class VirtualCamera {
public:
    explicit VirtualCamera(VirtualCameraConfig config);
    const VirtualCameraConfig& config() const { return m_config; }

    // Prepares the picture for a frame size; false for an impossible size.
    bool prepare(int width, int height);
    // Writes frame n (top-down B, G, R rows); see SyntheticPicture::render.
    bool render(std::uint64_t frameNumber, std::uint8_t* destination, std::size_t size, int stride);

    SyntheticPicture::Controls controls() const;
    void setControls(const SyntheticPicture::Controls& controls);

private:
    // The register controller's values as picture controls.
    SyntheticPicture::Controls registerControls() const;

    VirtualCameraConfig m_config;
    mutable std::mutex m_mutex; // the streaming thread renders while the window changes controls
    SyntheticPicture m_picture;
    SyntheticPicture::Controls m_controls;
};

// Most devices the capture offers.
inline constexpr int kMaxCaptureDevices = 10;

// Orders devices as the capture enumerates them: real devices by device node
// (/dev/video2 before /dev/video10), then virtual ones in their given order; at most 10.
void OrderCaptureDevices(std::vector<CaptureDeviceInfo>& devices);
