#pragma once
// Opens the main window on virtual cameras in a fresh settings folder.
#include "app/main_dialog_template.h"
#include "app/measure_dlg.h"
#include "platform/prompt.h"
#include "capture/capture_device.h"
#include "capture/live_view.h"
#include "images/dib_image.h"
#include "platform/language.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

namespace e2e {

// Runs the event loop until `done` holds or `ms` pass; returns whether it held.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

// Answers the next modal window of type T that opens: `answer` gets it while it runs.
// Counts how many it answered.
template <class T> class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(T&)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
                ++m_count;
                m_answer(*w);
            }
        });
        m_timer.start();
    }
    int count() const { return m_count; }

private:
    std::function<void(T&)> m_answer;
    QTimer m_timer;
    int m_count = 0;
};

// A virtual camera with a plain picture, small enough for quick tests.
inline VirtualCameraConfig TestCamera(const std::string& name, int width = 320, int height = 240,
                                    FrameRate rate = {30, 1}) {
    VirtualCameraConfig config;
    config.name = name;
    config.width = width;
    config.height = height;
    config.rate = rate;
    config.pattern = SyntheticPicture::Pattern::Quadrants;
    return config;
}

struct Rgb {
    int r, g, b;
};
inline Rgb PixelAt(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + x * 3;
    return {p[2], p[1], p[0]};
}
inline bool Near(Rgb a, Rgb b, int tolerance = 0) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class LiveFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/mirelta-e2e-XXXXXX";
        dir = mkdtemp(tmpl);
        g_bJapanese = false;
        sources.realDevices = false;
    }
    void TearDown() override {
        dlg.reset();
        g_bJapanese = false;
        std::filesystem::remove_all(dir);
    }

    void writeSettings(const std::string& text) { std::ofstream(dir + "/Mirelta.ini") << text; }
    std::string readSettings() const {
        std::ifstream in(dir + "/Mirelta.ini");
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    // Builds the window (the camera starts in it) and shows it.
    CMeasureDlg& open() {
        MeasureDlgOptions o;
        o.prompt = &prompt;
        o.dpi = DpiScale{96, 96};
        o.settingsPath = dir + "/Mirelta.ini";
        o.dataFolder = dir + "/data/";
        o.oldSettingsPath = dir + "/old/Mirelta.ini";
        o.cameras = &sources;
        dlg = std::make_unique<CMeasureDlg>(o);
        dlg->show();
        return *dlg;
    }
    LiveView& live() { return *dlg->liveView(); }
    // Waits until `n` more frames have been shown.
    bool waitFrames(std::uint64_t n, int ms = 5000) {
        const std::uint64_t target = live().stats().shown + n;
        return WaitFor([&] { return live().stats().shown >= target; }, ms);
    }
    void clickLive() { QTest::mouseClick(dlg->item(idc::Live), Qt::LeftButton); }
    // Closes the window the way the operator does; the settings are written.
    void quit() {
        prompt.queue(PromptAnswer::Yes);
        dlg->reject();
    }

    std::string dir;
    CameraSources sources;
    ScriptedPrompt prompt;
    std::unique_ptr<CMeasureDlg> dlg;
};

} // namespace e2e
