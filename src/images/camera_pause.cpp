#include "images/camera_pause.h"

CameraPause CameraPauseFor(std::string_view cameraName) {
    if (cameraName == "VESPIR-220KT4" || cameraName == "VESPIR-220KT4-MR")
        return CameraPause::KeepRunning;
    if (cameraName == "VESPIR-220KT" || cameraName == "USB PC Camera-375")
        return CameraPause::StopAndLiveAgain;
    return CameraPause::PauseGraph;
}
