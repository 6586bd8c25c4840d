#include "capture/virtual_controls.h"

#include "capture/capture_device.h"

namespace {

struct Range {
    VirtualControls::Id id;
    const char* name;
    int minimum, maximum, defaultValue;
    int SyntheticPicture::Controls::*field;
};
constexpr Range kRanges[] = {
    {VirtualControls::Brightness, "Brightness", -64, 64, 0, &SyntheticPicture::Controls::brightness},
    {VirtualControls::Contrast, "Contrast", 0, 200, 100, &SyntheticPicture::Controls::contrast},
    {VirtualControls::RedGain, "Red Gain", 50, 200, 100, &SyntheticPicture::Controls::gainRed},
    {VirtualControls::BlueGain, "Blue Gain", 50, 200, 100, &SyntheticPicture::Controls::gainBlue},
    {VirtualControls::Noise, "Noise", 0, 20, 0, &SyntheticPicture::Controls::noise},
    {VirtualControls::Focus, "Focus", -SyntheticPicture::kMaxDefocus, SyntheticPicture::kMaxDefocus, 0,
     &SyntheticPicture::Controls::focus},
};

const Range* FindRange(std::uint32_t id) {
    for (const Range& r : kRanges)
        if (r.id == id)
            return &r;
    return nullptr;
}

} // namespace

VirtualControls::VirtualControls(std::shared_ptr<VirtualCamera> camera) : m_camera(std::move(camera)) {}

std::vector<DeviceControlInfo> VirtualControls::controls() {
    std::vector<DeviceControlInfo> list;
    if (!m_camera)
        return list;
    const SyntheticPicture::Controls now = m_camera->controls();
    for (const Range& r : kRanges) {
        DeviceControlInfo c;
        c.id = r.id;
        c.name = r.name;
        c.minimum = r.minimum;
        c.maximum = r.maximum;
        c.defaultValue = r.id == Noise ? m_camera->config().noise : r.defaultValue;
        c.value = now.*r.field;
        list.push_back(c);
    }
    return list;
}

bool VirtualControls::getControl(std::uint32_t id, int& value) {
    const Range* r = FindRange(id);
    if (!r || !m_camera)
        return false;
    value = m_camera->controls().*r->field;
    return true;
}

bool VirtualControls::setControl(std::uint32_t id, int value) {
    const Range* r = FindRange(id);
    if (!r || !m_camera || value < r->minimum || value > r->maximum)
        return false;
    SyntheticPicture::Controls c = m_camera->controls();
    c.*r->field = value;
    m_camera->setControls(c);
    return true;
}
