#include "settings/app_settings.h"

#include "platform/profile.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kSection = "Mirelta";

// The LOGFONT integer fields in the order they are stored.
struct FontKey {
    const char* key;
    std::int32_t LOGFONT::*wide;
    std::uint8_t LOGFONT::*narrow;
};
constexpr FontKey kFontKeys[] = {
    {"color.font.lfHeight", &LOGFONT::lfHeight, nullptr},
    {"color.font.lfWidth", &LOGFONT::lfWidth, nullptr},
    {"color.font.lfEscapement", &LOGFONT::lfEscapement, nullptr},
    {"color.font.lfOrientation", &LOGFONT::lfOrientation, nullptr},
    {"color.font.lfWeight", &LOGFONT::lfWeight, nullptr},
    {"color.font.lfItalic", nullptr, &LOGFONT::lfItalic},
    {"color.font.lfUnderline", nullptr, &LOGFONT::lfUnderline},
    {"color.font.lfStrikeOut", nullptr, &LOGFONT::lfStrikeOut},
    {"color.font.lfCharSet", nullptr, &LOGFONT::lfCharSet},
    {"color.font.lfOutPrecision", nullptr, &LOGFONT::lfOutPrecision},
    {"color.font.lfClipPrecision", nullptr, &LOGFONT::lfClipPrecision},
    {"color.font.lfQuality", nullptr, &LOGFONT::lfQuality},
    {"color.font.lfPitchAndFamily", nullptr, &LOGFONT::lfPitchAndFamily},
};

std::string EnsureFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec); // an existing folder is fine
    return path;
}

int GetColour(Profile& p, const char* key, COLORREF def) {
    return p.GetInt(kSection, key, static_cast<int>(def));
}

} // namespace

LOGFONT ColorSettings::DefaultResultFont() {
    LOGFONT f;
    f.lfHeight = -21;
    f.lfCharSet = 128;
    f.lfFaceName = "ＭＳ Ｐゴシック";
    return f;
}

GUID AppSettings::MediaSubtypeNone() {
    return GUID{0xE436EB8E, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
}

std::int64_t FrameIntervalFromSetting(std::int32_t frame) {
    if (frame <= 0)
        frame = 300; // a rate of 0 or less would divide by it
    return 100000000 / frame;
}

std::int32_t FrameSettingFromInterval(std::int64_t interval) {
    if (interval <= 0)
        return 300;
    return static_cast<std::int32_t>(100000000 / interval);
}

void LoadAppSettings(Profile& p, AppSettings& s, const std::string& dataFolder) {
    s.type = p.GetInt(kSection, "type", s.type);
    s.resize = p.GetInt(kSection, "resize", s.resize);
    ColorSettings& c = s.color;
    for (const FontKey& k : kFontKeys) {
        if (k.wide)
            c.font.*k.wide = p.GetInt(kSection, k.key, c.font.*k.wide);
        else
            c.font.*k.narrow =
                static_cast<std::uint8_t>(p.GetInt(kSection, k.key, c.font.*k.narrow) & 0xFF);
    }
    c.font.lfFaceName = p.GetString(kSection, "color.font.lfFaceName", c.font.lfFaceName, 32);

    c.text = GetColour(p, "color.text", c.text);
    c.line = GetColour(p, "color.line", c.line);
    c.linesize = p.GetInt(kSection, "color.linesize", c.linesize);
    c.wave = GetColour(p, "color.wave", c.wave);
    c.wavesize = p.GetInt(kSection, "color.wavesize", c.wavesize);
    c.focusflg = p.GetInt(kSection, "color.focusflg", c.focusflg);
    c.focuspos = p.GetInt(kSection, "color.focuspos", c.focuspos);
    c.focusscale = p.GetInt(kSection, "color.focusscale", c.focusscale);
    c.gridflg = p.GetInt(kSection, "color.gridflg", c.gridflg);
    c.grid = GetColour(p, "color.grid", c.grid);
    c.gridsize = p.GetInt(kSection, "color.gridsize", c.gridsize);
    c.angle = p.GetInt(kSection, "color.angle", c.angle);
    c.anglebaseline = p.GetInt(kSection, "color.anglebaseline", c.anglebaseline);
    c.showangle = p.GetInt(kSection, "color.showangle", c.showangle);
    c.CursorCrosshairs.ShowCenter =
        p.GetInt(kSection, "color.CursorCrosshairs.ShowCenter", c.CursorCrosshairs.ShowCenter);
    c.CursorCrosshairs.Color =
        GetColour(p, "color.CursorCrosshairs.Color", c.CursorCrosshairs.Color);

    s.width = p.GetInt(kSection, "width", s.width);
    s.height = p.GetInt(kSection, "height", s.height);
    s.frameInterval = FrameIntervalFromSetting(p.GetInt(kSection, "Frame", 300));
    s.Device = p.GetInt(kSection, "Device", s.Device);
    s.m_FilterIndex = p.GetInt(kSection, "m_FilterIndex", s.m_FilterIndex);
    s.SmartTee = p.GetInt(kSection, "SmartTee", s.SmartTee);
    s.ShowKT4Dlg = p.GetInt(kSection, "ShowKT4Dlg", s.ShowKT4Dlg);
    s.SubType = p.ReadGuid(kSection, "SubType", s.SubType);
    s.m_WB_R = p.GetInt(kSection, "m_WB_R", s.m_WB_R);
    s.m_WB_G = p.GetInt(kSection, "m_WB_G", s.m_WB_G);
    s.m_WB_B = p.GetInt(kSection, "m_WB_B", s.m_WB_B);
    s.m_WB_Flg = p.GetInt(kSection, "m_WB_Flg", s.m_WB_Flg);

    s.m_Bai = p.GetInt(kSection, "m_Bai", s.m_Bai);
    s.m_Bai_X = p.ReadReal(kSection, "m_Bai_X", s.m_Bai_X);
    s.m_Bai_Y = p.ReadReal(kSection, "m_Bai_Y", s.m_Bai_Y);

    ScaleData& d = s.m_ScaleData;
    d.Visible = p.GetInt(kSection, "m_ScaleData.Visible", d.Visible);
    d.Type = p.GetInt(kSection, "m_ScaleData.Type", d.Type);
    d.Pos.x = p.GetInt(kSection, "m_ScaleData.Pos.x", d.Pos.x);
    d.Pos.y = p.GetInt(kSection, "m_ScaleData.Pos.y", d.Pos.y);
    d.Size.cx = p.GetInt(kSection, "m_ScaleData.Size.cx", d.Size.cx);
    d.Size.cy = p.GetInt(kSection, "m_ScaleData.Size.cy", d.Size.cy);
    d.Scale_x = p.ReadReal(kSection, "m_ScaleData.Scale.x", d.Scale_x);
    d.Scalexy = p.ReadReal(kSection, "m_ScaleData.Scalexy", d.Scalexy);

    // Stored as reals, used as whole pixels.
    s.m_CalibSet.left = static_cast<int>(p.ReadReal(kSection, "m_CalibSet.left", s.m_CalibSet.left));
    s.m_CalibSet.top = static_cast<int>(p.ReadReal(kSection, "m_CalibSet.top", s.m_CalibSet.top));
    s.m_CalibSet.right = static_cast<int>(p.ReadReal(kSection, "m_CalibSet.right", s.m_CalibSet.right));
    s.m_CalibSet.bottom =
        static_cast<int>(p.ReadReal(kSection, "m_CalibSet.bottom", s.m_CalibSet.bottom));
    s.AutoMinSize = p.GetInt(kSection, "AutoMinSize", s.AutoMinSize);
    s.AutoMaxSize = p.GetInt(kSection, "AutoMaxSize", s.AutoMaxSize);

    s.savedir = p.GetString(kSection, "savedir", "", 260);
    if (s.savedir.empty())
        s.savedir = dataFolder + "bmp";
    EnsureFolder(s.savedir);
    s.savedir2 = p.GetString(kSection, "savedir2", "", 260);
    if (s.savedir2.empty())
        s.savedir2 = dataFolder + "result";
    EnsureFolder(s.savedir2);

    s.FocusSelect = p.GetInt(kSection, "FocusSelect", s.FocusSelect);
    s.MagnetData.TH = p.GetInt(kSection, "MagnetData.TH", s.MagnetData.TH);
    s.MagnetData.Size = p.GetInt(kSection, "MagnetData.Size", s.MagnetData.Size);
    s.MagnetData.Show = p.GetInt(kSection, "MagnetData.Show", s.MagnetData.Show);
    s.MagnetData.Vector = p.GetInt(kSection, "MagnetData.Vector", s.MagnetData.Vector);
}

void LoadWindowPlacement(Profile& p, AppSettings& s, const IntRect& current) {
    s.window.left = p.GetInt(kSection, "Window_Left", current.left);
    s.window.right = p.GetInt(kSection, "Window_Right", current.right);
    s.window.top = p.GetInt(kSection, "Window_Top", current.top);
    s.window.bottom = p.GetInt(kSection, "Window_Bottom", current.bottom);
    s.Window_Max = p.GetInt(kSection, "Window_Max", 0);
    s.hasWindowRect = true;
}

bool SaveAppSettings(Profile& p, const AppSettings& s) {
    Profile::Batch batch(p);
    p.WriteInt(kSection, "type", s.type);
    p.WriteInt(kSection, "resize", s.resize);
    const ColorSettings& c = s.color;
    for (const FontKey& k : kFontKeys)
        p.WriteInt(kSection, k.key, k.wide ? c.font.*k.wide : c.font.*k.narrow);
    p.WriteString(kSection, "color.font.lfFaceName", c.font.lfFaceName);

    p.WriteInt(kSection, "color.text", static_cast<int>(c.text));
    p.WriteInt(kSection, "color.line", static_cast<int>(c.line));
    p.WriteInt(kSection, "color.linesize", c.linesize);
    p.WriteInt(kSection, "color.wave", static_cast<int>(c.wave));
    p.WriteInt(kSection, "color.wavesize", c.wavesize);
    p.WriteInt(kSection, "color.focusflg", c.focusflg);
    p.WriteInt(kSection, "color.focuspos", c.focuspos);
    p.WriteInt(kSection, "color.focusscale", c.focusscale);
    p.WriteInt(kSection, "color.gridflg", c.gridflg);
    p.WriteInt(kSection, "color.grid", static_cast<int>(c.grid));
    p.WriteInt(kSection, "color.gridsize", c.gridsize);
    p.WriteInt(kSection, "color.angle", c.angle);
    p.WriteInt(kSection, "color.anglebaseline", c.anglebaseline);
    p.WriteInt(kSection, "color.showangle", c.showangle);
    p.WriteInt(kSection, "color.CursorCrosshairs.ShowCenter", c.CursorCrosshairs.ShowCenter);
    p.WriteInt(kSection, "color.CursorCrosshairs.Color", static_cast<int>(c.CursorCrosshairs.Color));

    p.WriteInt(kSection, "width", s.width);
    p.WriteInt(kSection, "height", s.height);
    p.WriteInt(kSection, "Frame", FrameSettingFromInterval(s.frameInterval));
    p.WriteInt(kSection, "Device", s.Device);
    p.WriteInt(kSection, "SmartTee", s.SmartTee);
    p.WriteInt(kSection, "ShowKT4Dlg", s.ShowKT4Dlg);
    p.WriteGuid(kSection, "SubType", s.SubType);
    p.WriteInt(kSection, "m_WB_R", s.m_WB_R);
    p.WriteInt(kSection, "m_WB_G", s.m_WB_G);
    p.WriteInt(kSection, "m_WB_B", s.m_WB_B);
    p.WriteInt(kSection, "m_WB_Flg", s.m_WB_Flg);

    p.WriteInt(kSection, "m_Bai", s.m_Bai);
    p.WriteReal(kSection, "m_Bai_X", s.m_Bai_X);
    p.WriteReal(kSection, "m_Bai_Y", s.m_Bai_Y);
    p.WriteString(kSection, "savedir", s.savedir);
    p.WriteString(kSection, "savedir2", s.savedir2);
    p.WriteInt(kSection, "m_FilterIndex", s.m_FilterIndex);

    const ScaleData& d = s.m_ScaleData;
    p.WriteInt(kSection, "m_ScaleData.Visible", d.Visible);
    p.WriteInt(kSection, "m_ScaleData.Type", d.Type);
    p.WriteInt(kSection, "m_ScaleData.Pos.x", d.Pos.x);
    p.WriteInt(kSection, "m_ScaleData.Pos.y", d.Pos.y);
    p.WriteInt(kSection, "m_ScaleData.Size.cx", d.Size.cx);
    p.WriteInt(kSection, "m_ScaleData.Size.cy", d.Size.cy);
    p.WriteReal(kSection, "m_ScaleData.Scale.x", d.Scale_x);
    p.WriteReal(kSection, "m_ScaleData.Scalexy", d.Scalexy);

    p.WriteReal(kSection, "m_CalibSet.left", s.m_CalibSet.left);
    p.WriteReal(kSection, "m_CalibSet.top", s.m_CalibSet.top);
    p.WriteReal(kSection, "m_CalibSet.right", s.m_CalibSet.right);
    p.WriteReal(kSection, "m_CalibSet.bottom", s.m_CalibSet.bottom);
    p.WriteInt(kSection, "AutoMinSize", s.AutoMinSize);
    p.WriteInt(kSection, "AutoMaxSize", s.AutoMaxSize);
    p.WriteInt(kSection, "FocusSelect", s.FocusSelect);
    p.WriteInt(kSection, "MagnetData.TH", s.MagnetData.TH);
    p.WriteInt(kSection, "MagnetData.Size", s.MagnetData.Size);
    p.WriteInt(kSection, "MagnetData.Show", s.MagnetData.Show);
    p.WriteInt(kSection, "MagnetData.Vector", s.MagnetData.Vector);

    p.WriteInt(kSection, "Window_Max", s.Window_Max);
    p.WriteInt(kSection, "Window_Left", s.window.left);
    p.WriteInt(kSection, "Window_Right", s.window.right);
    p.WriteInt(kSection, "Window_Top", s.window.top);
    p.WriteInt(kSection, "Window_Bottom", s.window.bottom);
    return batch.commit();
}
