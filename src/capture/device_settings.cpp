#include "capture/device_settings.h"

#include "settings/app_settings.h"
#include "capture/media_subtype.h"
#include "platform/profile.h"
#include "platform/text_format.h"

#include <algorithm>

namespace {

std::int64_t IntervalFromFrame(int frame, std::int32_t defaultFrame) {
    if (frame <= 0)
        frame = defaultFrame > 0 ? defaultFrame : 150;
    return std::max<std::int64_t>(1, 100000000 / frame);
}

} // namespace

std::vector<std::string> ReadModelNames(const Profile& profile, std::string_view friendlyName) {
    const int count = std::min(profile.GetInt(friendlyName, "Count", 0), kMaxModelNames);
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(profile.GetString(friendlyName, StrFormat("Name%d", i), "", kModelNameChars));
    return names;
}

std::string ResolveDeviceSection(const Profile& profile, const std::string& friendlyName,
                                 std::string& modelName, const ModelChooser& chooser, bool alwaysAsk) {
    const std::vector<std::string> names = ReadModelNames(profile, friendlyName);
    if (names.empty()) {
        modelName.clear();
        return friendlyName;
    }
    if (names.size() == 1) {
        modelName = names[0];
    } else if (alwaysAsk || modelName.empty()) {
        if (chooser)
            modelName = chooser(friendlyName, names, modelName);
        // A chooser that cannot ask keeps what it was given.
    }
    return modelName.empty() ? friendlyName : modelName;
}

DeviceSettings ReadDeviceSection(const Profile& profile, std::string_view section,
                                 std::int32_t defaultFrame) {
    DeviceSettings s;
    s.width = profile.GetInt(section, "Width", -1);
    s.height = profile.GetInt(section, "Height", -1);
    s.priority = profile.GetInt(section, "Priority", 0);
    s.frameInterval = IntervalFromFrame(profile.GetInt(section, "Frame", defaultFrame), defaultFrame);
    s.subtype = profile.ReadGuid(section, "SubType", MEDIASUBTYPE_None);
    ResizeSettings& r = s.resize;
    r.Resize_Width = profile.GetInt(section, "Resize_Width", -1);
    r.Resize_Height = profile.GetInt(section, "Resize_Height", -1);
    r.Resize_Left = profile.GetInt(section, "Resize_Left", -1);
    r.Resize_Top = profile.GetInt(section, "Resize_Top", -1);
    r.Resize_Right = profile.GetInt(section, "Resize_Right", -1);
    r.Resize_Bottom = profile.GetInt(section, "Resize_Bottom", -1);
    return s;
}

void WriteDeviceFormat(Profile& profile, std::string_view section, const DeviceSettings& s) {
    Profile::Batch batch(profile);
    profile.WriteInt(section, "Width", s.width);
    profile.WriteInt(section, "Height", s.height);
    profile.WriteInt(section, "Frame", FrameSettingFromInterval(s.frameInterval));
    profile.WriteGuid(section, "SubType", s.subtype);
}

void WriteDeviceSection(Profile& profile, std::string_view section, const DeviceSettings& s) {
    Profile::Batch batch(profile);
    profile.WriteInt(section, "Width", s.width);
    profile.WriteInt(section, "Height", s.height);
    profile.WriteInt(section, "Frame", FrameSettingFromInterval(s.frameInterval));
    profile.WriteInt(section, "Priority", s.priority);
    profile.WriteGuid(section, "SubType", s.subtype);
}

int ChooseDeviceByPriority(const std::vector<std::int32_t>& priorities) {
    int best = -1;
    std::int32_t bestPriority = -1;
    for (std::size_t i = 0; i < priorities.size(); ++i)
        if (priorities[i] > bestPriority) {
            best = static_cast<int>(i);
            bestPriority = priorities[i];
        }
    return best;
}
