#include "capture/camera_models.h"

bool IsRegisterCameraName(std::string_view name) {
    return name == "VESPIR-220KT4" || name == "VESPIR-220KT4-MR";
}

bool ForcesSmartTee(std::string_view name) {
    return name == "VDX-08U1" || IsRegisterCameraName(name);
}

bool RestartsCameraOnSave(std::string_view name) {
    return name == "VESPIR-220KT" || name == "USB PC Camera-375";
}
