#pragma once
#include "calib/scale_data.h"
#include "platform/colorref.h"
#include "platform/guid.h"
#include "platform/int_rect.h"
#include "platform/logfont.h"

#include <cstdint>
#include <string>

class Profile;

// Display settings block ("color.*" keys).
struct ColorSettings {
    LOGFONT font = DefaultResultFont();
    COLORREF text = RGB(0, 255, 255);
    COLORREF line = RGB(0, 255, 0);
    std::int32_t linesize = 1;
    COLORREF wave = RGB(255, 128, 128);
    std::int32_t wavesize = 1;
    std::int32_t focusflg = 0;
    std::int32_t focuspos = 240;
    std::int32_t focusscale = 0;
    std::int32_t gridflg = 0;
    COLORREF grid = RGB(128, 128, 255);
    std::int32_t gridsize = 100;
    std::int32_t angle = 45;
    std::int32_t anglebaseline = 0;
    std::int32_t showangle = 1;
    struct {
        std::int32_t ShowCenter = 0;
        COLORREF Color = RGB(255, 255, 255);
    } CursorCrosshairs;

    static LOGFONT DefaultResultFont();
};

struct MagnetSettings {
    std::int32_t TH = 128;
    std::int32_t Size = 10;
    std::int32_t Show = 0;
    std::int32_t Vector = 0;
};

// Every value of section "Mirelta" of the settings file. Values are not range
// checked here; each feature decides what it does with odd ones.
struct AppSettings {
    std::int32_t type = 1;   // kept and written back
    std::int32_t resize = 3; // kept and written back
    ColorSettings color;
    std::int32_t width = 1280;
    std::int32_t height = 1024;
    std::int64_t frameInterval = 333333; // 100-ns units, from "Frame" (frame rate x 10)
    std::int32_t Device = -1;
    std::int32_t m_FilterIndex = 1;
    std::int32_t SmartTee = 0;
    std::int32_t ShowKT4Dlg = 0;
    GUID SubType = MediaSubtypeNone();
    std::int32_t m_WB_R = 0;
    std::int32_t m_WB_G = 0;
    std::int32_t m_WB_B = 0;
    std::int32_t m_WB_Flg = 0;
    std::int32_t m_Bai = 1;
    double m_Bai_X = 0.0;
    double m_Bai_Y = 0.0;
    ScaleData m_ScaleData;
    IntRect m_CalibSet{10, 10, 630, 470};
    std::int32_t AutoMinSize = 6;
    std::int32_t AutoMaxSize = 200;
    std::string savedir;
    std::string savedir2;
    std::int32_t FocusSelect = 0;
    MagnetSettings MagnetData;
    // Main window's normal rectangle; `hasWindowRect` false until read or set.
    bool hasWindowRect = false;
    IntRect window;
    std::int32_t Window_Max = 0;

    static GUID MediaSubtypeNone();
};

// The frame interval for a "Frame" value (frame rate x 10); values <= 0 give the default 300.
std::int64_t FrameIntervalFromSetting(std::int32_t frame);
std::int32_t FrameSettingFromInterval(std::int64_t interval);

// Reads every key of section "Mirelta" except the window keys, with their defaults.
// `dataFolder` (ending in '/') gives the default save folders, which are created.
void LoadAppSettings(Profile& profile, AppSettings& s, const std::string& dataFolder);
// Reads "Window_Left" ... "Window_Max"; `current` is used for missing keys.
void LoadWindowPlacement(Profile& profile, AppSettings& s, const IntRect& current);
// Writes section "Mirelta" in the program's fixed order; false when the file could not be written.
bool SaveAppSettings(Profile& profile, const AppSettings& s);
