// The running main window on a virtual camera as the live benchmarks and the soak run drive
// it: a 60 frames/s camera of a given size, and optionally 20 finished measurements, the
// grid and the scale bar on the picture. One place for it keeps their figures comparable.
#pragma once

#include "app/measure_dlg.h"
#include "bench_scene.h"
#include "capture/capture_device.h"
#include "capture/live_view.h"
#include "platform/prompt.h"

#include <QApplication>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace bench {

struct LiveScene {
    int width = 1280;
    int height = 1024;
    bool measurements = false; // 20 measurements, the grid every 100 pixels, the scale bar
    std::string extraSettings; // more lines of section "Mirelta"
};

// A settings file for the scene in `dir`, and the window's options over it.
class LiveWindowSetup {
public:
    LiveWindowSetup(const std::string& dir, const LiveScene& scene) : m_scene(scene) {
        std::ofstream(dir + "/Mirelta.ini")
            << "[Bench]\nWidth=" << scene.width << "\nHeight=" << scene.height << "\nFrame=600\n"
            << "[Mirelta]\n"
            << (scene.measurements ? "color.gridflg=1\ncolor.gridsize=100\n"
                                     "m_ScaleData.Visible=1\nm_ScaleData.Type=1\n"
                                   : "")
            << scene.extraSettings;
        VirtualCameraConfig cam = DemoCameraConfig();
        cam.name = "Bench";
        cam.width = scene.width;
        cam.height = scene.height;
        cam.rate = {60, 1};
        m_sources.realDevices = false;
        m_sources.virtualCameras = {cam};
        options.prompt = &prompt;
        options.settingsPath = dir + "/Mirelta.ini";
        options.dataFolder = dir + "/data/";
        options.oldSettingsPath = dir + "/old/Mirelta.ini";
        options.cameras = &m_sources;
    }

    // The measurements of the scene, spread over the picture, in the window's list.
    void addMeasurements(CMeasureDlg& dlg) const {
        if (!m_scene.measurements)
            return;
        AddMeasurements(dlg.measurements(), 20,
                        {5, 60, 60, (m_scene.width - 200) / 5.0, (m_scene.height - 200) / 4.0},
                        kSmallFigure);
        dlg.RebuildResultList();
        dlg.invalidatePicture();
    }

    ScriptedPrompt prompt;
    MeasureDlgOptions options;

private:
    LiveScene m_scene;
    CameraSources m_sources;
};

} // namespace bench
