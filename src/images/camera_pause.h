#pragma once
#include <string_view>

// What saving with the save dialog or the right-button quick save does to a live camera
// while it writes, by the camera's name (exact, case-sensitive).
enum class CameraPause {
    KeepRunning,      // "VESPIR-220KT4", "VESPIR-220KT4-MR"
    StopAndLiveAgain, // "VESPIR-220KT", "USB PC Camera-375": stopped as LIVE does, LIVE again after
    PauseGraph,       // every other camera: the running graph stopped and run again
};
CameraPause CameraPauseFor(std::string_view cameraName);
