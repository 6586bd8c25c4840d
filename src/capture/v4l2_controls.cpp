#include "capture/v4l2_controls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int kMaxControls = 256;
constexpr int kMaxInputs = 64;
constexpr int kMaxMenuItems = 64;

// Names in the request records are fixed-size and need not end in a zero byte. Taken by
// address: some of the records are packed.
std::string FixedText(const void* text, std::size_t size) {
    const auto* chars = static_cast<const char*>(text);
    return std::string(chars, strnlen(chars, size));
}

} // namespace

V4l2Controls::V4l2Controls(const std::string& node)
    : m_fd(::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)), m_owned(true),
      m_ioctl([](int fd, unsigned long code, void* arg) { return ::ioctl(fd, code, arg); }) {}

V4l2Controls::V4l2Controls(int fd, Ioctl ioctl) : m_fd(fd), m_ioctl(std::move(ioctl)) {}

V4l2Controls::~V4l2Controls() {
    if (m_owned && m_fd >= 0)
        ::close(m_fd);
}

int V4l2Controls::request(unsigned long code, void* arg) {
    if (m_fd < 0 || !m_ioctl)
        return -1;
    int r;
    do {
        r = m_ioctl(m_fd, code, arg);
    } while (r < 0 && errno == EINTR);
    return r;
}

std::vector<DeviceControlInfo> V4l2Controls::controls() {
    std::vector<DeviceControlInfo> list;
    v4l2_queryctrl q{};
    q.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    for (int n = 0; n < kMaxControls && request(VIDIOC_QUERYCTRL, &q) == 0; ++n) {
        const std::uint32_t id = q.id;
        DeviceControlInfo c;
        c.id = id;
        c.name = FixedText(q.name, sizeof q.name);
        c.minimum = q.minimum;
        c.maximum = q.maximum;
        c.step = q.step > 0 ? q.step : 1;
        c.defaultValue = q.default_value;
        c.readOnly = (q.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_GRABBED)) != 0;
        c.inactive = (q.flags & V4L2_CTRL_FLAG_INACTIVE) != 0;
        bool keep = (q.flags & V4L2_CTRL_FLAG_DISABLED) == 0;
        switch (q.type) {
        case V4L2_CTRL_TYPE_INTEGER: c.kind = DeviceControlInfo::Kind::Integer; break;
        case V4L2_CTRL_TYPE_BOOLEAN: c.kind = DeviceControlInfo::Kind::Boolean; break;
        case V4L2_CTRL_TYPE_BUTTON: c.kind = DeviceControlInfo::Kind::Button; break;
        case V4L2_CTRL_TYPE_MENU:
        case V4L2_CTRL_TYPE_INTEGER_MENU: {
            c.kind = DeviceControlInfo::Kind::Menu;
            const int last = std::min(q.maximum, q.minimum + kMaxMenuItems - 1);
            for (int i = q.minimum; i <= last && i >= q.minimum; ++i) {
                v4l2_querymenu m{};
                m.id = id;
                m.index = static_cast<std::uint32_t>(i);
                if (request(VIDIOC_QUERYMENU, &m) != 0)
                    continue; // menus may skip values
                c.menu.emplace_back(i, q.type == V4L2_CTRL_TYPE_MENU
                                           ? FixedText(m.name, sizeof m.name)
                                           : std::to_string(static_cast<long long>(m.value)));
            }
            keep = keep && !c.menu.empty();
            break;
        }
        default: keep = false; break; // class headings, strings, 64-bit and compound controls
        }
        if (keep) {
            int value = c.defaultValue;
            if (c.kind != DeviceControlInfo::Kind::Button && getControl(id, value))
                c.value = value;
            else
                c.value = c.defaultValue;
            list.push_back(std::move(c));
        }
        q = v4l2_queryctrl{};
        q.id = id | V4L2_CTRL_FLAG_NEXT_CTRL;
    }
    return list;
}

bool V4l2Controls::getControl(std::uint32_t id, int& value) {
    v4l2_control c{};
    c.id = id;
    if (request(VIDIOC_G_CTRL, &c) != 0)
        return false;
    value = c.value;
    return true;
}

bool V4l2Controls::setControl(std::uint32_t id, int value) {
    v4l2_control c{};
    c.id = id;
    c.value = value;
    return request(VIDIOC_S_CTRL, &c) == 0;
}

std::vector<std::string> V4l2Controls::inputs() {
    std::vector<std::string> names;
    for (int i = 0; i < kMaxInputs; ++i) {
        v4l2_input in{};
        in.index = static_cast<std::uint32_t>(i);
        if (request(VIDIOC_ENUMINPUT, &in) != 0)
            break;
        names.push_back(FixedText(in.name, sizeof in.name));
    }
    return names;
}

int V4l2Controls::currentInput() {
    int index = -1;
    if (request(VIDIOC_G_INPUT, &index) != 0)
        return -1;
    return index;
}

bool V4l2Controls::setInput(int index) {
    if (index < 0)
        return false;
    return request(VIDIOC_S_INPUT, &index) == 0;
}
