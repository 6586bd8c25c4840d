#pragma once
#include <cstdint>
#include <string>

// Where the first camera search stands: the search window's outcome and the retry timer's.
enum class CameraSearch : std::int32_t {
    Searching = 0,     // the search window is open
    WithoutCamera = 1, // the operator chose to go on without a camera
    Done = 2,          // a camera started, or the search was left
    GiveUp = -1,       // the search gave up: the program ends
    Ended = -2,        // ... and the end is under way
};

// The camera as the rest of the main window sees it.
struct CameraState {
    bool started = false; // a camera was started (device and format known)
    bool stopped = false; // LIVE froze the picture, or the camera failed
    CameraSearch search = CameraSearch::Searching;
    double frameRate = 0.0;
    std::string name;          // the device's name, or its chosen model
    std::uint32_t lastTick = 0; // the title timer's last run, for the late-frame rule

    bool live() const { return started && !stopped; }
};

// What saving pictures and opening thumbnails ask of the camera.
class CameraControl {
public:
    virtual ~CameraControl() = default;
    virtual CameraState& state() = 0;
    // LIVE and F11: freezes the picture or starts the camera again.
    virtual void OnLive() = 0;
    // The running graph halted around a save so that the frame does not change under
    // it, and run again.
    virtual void Pause() = 0;
    virtual void Resume() = 0;
};

// The camera of a window opened without any: nothing to freeze or pause.
class NoCamera : public CameraControl {
public:
    CameraState& state() override { return m_state; }
    void OnLive() override {}
    void Pause() override {}
    void Resume() override {}

private:
    CameraState m_state;
};
