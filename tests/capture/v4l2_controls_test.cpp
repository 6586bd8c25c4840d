#include "capture/v4l2_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/videodev2.h>
#include <map>
#include <string>
#include <vector>

namespace {

// Names fill 32 bytes and need not end in a zero byte.
void SetName(void* field, const std::string& text) {
    std::memset(field, 0, 32);
    std::memcpy(field, text.data(), std::min<std::size_t>(32, text.size()));
}

// A pretend V4L2 device answering the control and input requests.
struct FakeDevice {
    struct Control {
        v4l2_queryctrl query;
        int value;
        std::map<int, std::string> menu;
    };
    std::vector<Control> controls;
    std::vector<std::string> inputs;
    int input = 0;
    int interrupts = 1; // the first request is interrupted once
    std::vector<unsigned long> requests;

    void add(std::uint32_t id, std::uint32_t type, const char* name, int min, int max, int def,
             std::uint32_t flags = 0, std::map<int, std::string> menu = {}) {
        Control c{};
        c.query.id = id;
        c.query.type = type;
        SetName(c.query.name, name);
        c.query.minimum = min;
        c.query.maximum = max;
        c.query.step = 1;
        c.query.default_value = def;
        c.query.flags = flags;
        c.value = def;
        c.menu = std::move(menu);
        controls.push_back(c);
    }
    Control* find(std::uint32_t id) {
        for (auto& c : controls)
            if (c.query.id == id)
                return &c;
        return nullptr;
    }

    int operator()(int, unsigned long request, void* arg) {
        requests.push_back(request);
        if (interrupts > 0) {
            --interrupts;
            errno = EINTR;
            return -1;
        }
        errno = EINVAL;
        switch (request) {
        case VIDIOC_QUERYCTRL: {
            auto* q = static_cast<v4l2_queryctrl*>(arg);
            if (!(q->id & V4L2_CTRL_FLAG_NEXT_CTRL))
                return -1;
            const std::uint32_t after = q->id & ~V4L2_CTRL_FLAG_NEXT_CTRL;
            for (const auto& c : controls)
                if (c.query.id > after || (after == 0 && c.query.id == 0)) {
                    *q = c.query;
                    return 0;
                }
            return -1;
        }
        case VIDIOC_QUERYMENU: {
            auto* m = static_cast<v4l2_querymenu*>(arg);
            Control* c = find(m->id);
            if (!c || !c->menu.count(static_cast<int>(m->index)))
                return -1;
            SetName(m->name, c->menu[m->index]);
            return 0;
        }
        case VIDIOC_G_CTRL: {
            auto* v = static_cast<v4l2_control*>(arg);
            Control* c = find(v->id);
            if (!c)
                return -1;
            v->value = c->value;
            return 0;
        }
        case VIDIOC_S_CTRL: {
            auto* v = static_cast<v4l2_control*>(arg);
            Control* c = find(v->id);
            if (!c || v->value < c->query.minimum || v->value > c->query.maximum)
                return -1;
            c->value = v->value;
            return 0;
        }
        case VIDIOC_ENUMINPUT: {
            auto* in = static_cast<v4l2_input*>(arg);
            if (in->index >= inputs.size())
                return -1;
            SetName(in->name, inputs[in->index]);
            return 0;
        }
        case VIDIOC_G_INPUT: *static_cast<int*>(arg) = input; return 0;
        case VIDIOC_S_INPUT: {
            const int i = *static_cast<int*>(arg);
            if (i < 0 || i >= static_cast<int>(inputs.size()))
                return -1;
            input = i;
            return 0;
        }
        default: return -1;
        }
    }
};

TEST(V4l2Controls, ListsUsableControlsWithTheirValues) {
    FakeDevice dev;
    dev.add(V4L2_CID_USER_CLASS, V4L2_CTRL_TYPE_CTRL_CLASS, "User Controls", 0, 0, 0);
    dev.add(V4L2_CID_BRIGHTNESS, V4L2_CTRL_TYPE_INTEGER, "Brightness", -64, 64, 0);
    dev.add(V4L2_CID_CONTRAST, V4L2_CTRL_TYPE_INTEGER, "Contrast", 0, 95, 32, V4L2_CTRL_FLAG_DISABLED);
    dev.add(V4L2_CID_AUTO_WHITE_BALANCE, V4L2_CTRL_TYPE_BOOLEAN, "White Balance, Automatic", 0, 1, 1);
    dev.add(V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CTRL_TYPE_MENU, "Power Line Frequency", 0, 2, 1, 0,
            {{0, "Disabled"}, {2, "60 Hz"}});
    dev.add(V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CTRL_TYPE_INTEGER,
            "White Balance Temperature, Auto, and a name longer than 32 bytes", 2800, 6500, 4600,
            V4L2_CTRL_FLAG_INACTIVE);
    dev.find(V4L2_CID_BRIGHTNESS)->value = 12;
    V4l2Controls controls(3, std::ref(dev));
    const auto list = controls.controls();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].name, "Brightness");
    EXPECT_EQ(list[0].kind, DeviceControlInfo::Kind::Integer);
    EXPECT_EQ(list[0].value, 12);
    EXPECT_EQ(list[0].minimum, -64);
    EXPECT_EQ(list[1].kind, DeviceControlInfo::Kind::Boolean);
    EXPECT_EQ(list[2].kind, DeviceControlInfo::Kind::Menu);
    ASSERT_EQ(list[2].menu.size(), 2u); // value 1 has no entry
    EXPECT_EQ(list[2].menu[1], (std::pair<int, std::string>{2, "60 Hz"}));
    EXPECT_EQ(list[3].name.size(), 32u);
    EXPECT_TRUE(list[3].inactive);
}

TEST(V4l2Controls, SetsControlsAndInputs) {
    FakeDevice dev;
    dev.add(V4L2_CID_GAIN, V4L2_CTRL_TYPE_INTEGER, "Gain", 0, 100, 10);
    dev.inputs = {"Camera 1", "Composite"};
    V4l2Controls controls(3, std::ref(dev));
    EXPECT_TRUE(controls.setControl(V4L2_CID_GAIN, 55));
    int v = 0;
    EXPECT_TRUE(controls.getControl(V4L2_CID_GAIN, v));
    EXPECT_EQ(v, 55);
    EXPECT_FALSE(controls.setControl(V4L2_CID_GAIN, 500));
    EXPECT_FALSE(controls.setControl(V4L2_CID_HUE, 1));
    EXPECT_EQ(controls.inputs(), (std::vector<std::string>{"Camera 1", "Composite"}));
    EXPECT_EQ(controls.currentInput(), 0);
    EXPECT_TRUE(controls.setInput(1));
    EXPECT_EQ(controls.currentInput(), 1);
    EXPECT_FALSE(controls.setInput(2));
    EXPECT_FALSE(controls.setInput(-1));
}

TEST(V4l2Controls, AMissingNodeHasNothing) {
    V4l2Controls controls(std::string("/nonexistent/video99"));
    EXPECT_FALSE(controls.isOpen());
    EXPECT_TRUE(controls.controls().empty());
    EXPECT_TRUE(controls.inputs().empty());
    EXPECT_EQ(controls.currentInput(), -1);
    EXPECT_FALSE(controls.setControl(V4L2_CID_BRIGHTNESS, 1));
}

} // namespace
