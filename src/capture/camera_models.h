#pragma once
#include <string_view>

// Camera models recognised by exact, case-sensitive comparison of the device's
// friendly name or chosen model name.

// "VESPIR-220KT4" and "VESPIR-220KT4-MR": the register-controlled camera.
bool IsRegisterCameraName(std::string_view name);

// The models whose pictures only come through the Smart Tee route: "VDX-08U1" and
// the register-controlled camera.
bool ForcesSmartTee(std::string_view name);

// "VESPIR-220KT" and "USB PC Camera-375": saving stops and restarts the camera
// instead of pausing it.
bool RestartsCameraOnSave(std::string_view name);
