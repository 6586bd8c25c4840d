#pragma once
#include "platform/guid.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Profile;

// Size and source rectangle of the resized display picture; -1 when unset.
struct ResizeSettings {
    std::int32_t Resize_Width = -1;
    std::int32_t Resize_Height = -1;
    std::int32_t Resize_Left = -1;
    std::int32_t Resize_Top = -1;
    std::int32_t Resize_Right = -1;
    std::int32_t Resize_Bottom = -1;
};

// The keys of one device's (or model's) section.
struct DeviceSettings {
    std::int32_t width = -1; // -1: not configured yet
    std::int32_t height = -1;
    std::int64_t frameInterval = 666666; // from "Frame" (rate x 10), default 150
    std::int32_t priority = 0;
    GUID subtype;
    ResizeSettings resize;
};

// Longest model name kept (characters, the settings file's buffer of 256 less its end).
inline constexpr std::size_t kModelNameChars = 256;
// Most model names read for one device; a larger "Count" is cut to it.
inline constexpr int kMaxModelNames = 64;

// "Name1" ... "Name<Count>" of the section named by the friendly name (empty texts
// included); none when "Count" is 0 or negative.
std::vector<std::string> ReadModelNames(const Profile& profile, std::string_view friendlyName);

// Asks the operator which model a device is; returns the chosen text.
using ModelChooser = std::function<std::string(const std::string& friendlyName,
                                               const std::vector<std::string>& names,
                                               const std::string& preselect)>;

// The section a device's settings live in. With "Count" 1 it is "Name1"; with 2 or more
// the model chosen earlier in this run, or (when there is none, or `alwaysAsk`) the
// operator's choice from the chooser; otherwise the friendly name. `modelName` is the
// run's model choice, read and updated. An empty model name never replaces the
// friendly name (it would name no section).
std::string ResolveDeviceSection(const Profile& profile, const std::string& friendlyName,
                                 std::string& modelName, const ModelChooser& chooser,
                                 bool alwaysAsk = false);

// "Width", "Height", "Frame", "Priority", "SubType" and the six resize keys of a section.
// A "Frame" of 0 or less reads as `defaultFrame` (150 for devices, 300 for "Mirelta").
DeviceSettings ReadDeviceSection(const Profile& profile, std::string_view section,
                                 std::int32_t defaultFrame = 150);

// After a successful start: "Width", "Height", "Frame", "Priority", "SubType".
void WriteDeviceSection(Profile& profile, std::string_view section, const DeviceSettings& s);
// The format window's choice: "Width", "Height", "Frame", "SubType" (not "Priority").
void WriteDeviceFormat(Profile& profile, std::string_view section, const DeviceSettings& s);

// The first device with the highest priority of 0 or more; -1 when there is none.
int ChooseDeviceByPriority(const std::vector<std::int32_t>& priorities);
