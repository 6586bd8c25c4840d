#pragma once
// A camera the test sets the state of, counting what the window asks of it.
#include "capture/camera_state.h"

class FakeCamera : public CameraControl {
public:
    CameraState& state() override { return current; }
    void OnLive() override { ++liveRequests; }
    void Pause() override { ++pauses; }
    void Resume() override { ++resumes; }

    CameraState current;
    int liveRequests = 0;
    int pauses = 0;
    int resumes = 0;
};
