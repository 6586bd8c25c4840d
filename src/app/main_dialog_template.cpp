#include "app/main_dialog_template.h"

namespace {

// Buttons are 50 x 53 cells in three columns 11 pixels apart.
constexpr int kW = 50;
constexpr int kH = 53;
constexpr int kGap = 11;
constexpr int kRow = kH + 6;
// The right-hand panel as designed for a window 1100 wide; the first layout moves it.
constexpr int kColC = 1100 - 18 - 3 * kW - 2 * kGap;
constexpr int kColB = kColC + kW + kGap;
constexpr int kColA = kColB + kW + kGap;
constexpr int kGroupLeft = kColC - 7;
constexpr int kGroupRight = kColA + kW + 7;
constexpr int kLoadTop = 14;
constexpr int kLoadRow0 = kLoadTop + 20;
constexpr int kInstrTop = kLoadRow0 + 3 * kRow + 6;
constexpr int kInstrRow0 = kInstrTop + 20;
constexpr int kListTop = kInstrRow0 + 4 * kRow + 34;

constexpr IntRect Cell(int col, int row, int top) {
    return {col, top + row * kRow, col + kW, top + row * kRow + kH};
}

constexpr ControlSpec kControls[] = {
    {idc::Picture, ControlKind::PictureFrame, "Picture", "Picture", {8, 8, 648, 488}},
    {idc::LoadImageGroup, ControlKind::GroupBox, "Load image", "画像", {kGroupLeft, kLoadTop - 10, kGroupRight, kInstrTop - 8}},
    {idc::Live, ControlKind::ImageButton, "LIVE", "ライブ", Cell(kColC, 0, kLoadRow0)},
    {idc::SaveImage, ControlKind::ImageButton, "SAVE", "保存", Cell(kColB, 0, kLoadRow0)},
    {idc::SaveDir, ControlKind::ImageButton, "DIR", "保存先", Cell(kColA, 0, kLoadRow0)},
    {idc::Set, ControlKind::ImageButton, "SET", "設定", Cell(kColC, 1, kLoadRow0)},
    {idc::Type, ControlKind::ImageButton, "TYPE", "書込", Cell(kColB, 1, kLoadRow0)},
    {idc::Thumb, ControlKind::ImageButton, "THUMB", "一覧", Cell(kColA, 1, kLoadRow0)},
    {idc::FocusArea, ControlKind::ImageButton, "WB", "WB", Cell(kColC, 2, kLoadRow0)},
    {idc::ScreenScaleLabel, ControlKind::Label, "Screen scale", "表示倍率",
     {kColB, kLoadRow0 + 2 * kRow + 4, kColA + kW, kLoadRow0 + 2 * kRow + 22}},
    {idc::ScreenScale, ControlKind::ComboBox, "Screen scale", "表示倍率",
     {kColB, kLoadRow0 + 2 * kRow + 24, kColA + kW, kLoadRow0 + 2 * kRow + 48}},
    {idc::InstrumentGroup, ControlKind::GroupBox, "Instrumental", "計測", {kGroupLeft, kInstrTop, kGroupRight, kListTop - 8}},
    {idc::Line, ControlKind::ImageButton, "LINE", "距離", Cell(kColC, 0, kInstrRow0)},
    {idc::Aria, ControlKind::ImageButton, "ARIA", "面積", Cell(kColB, 0, kInstrRow0)},
    {idc::Circle, ControlKind::ImageButton, "CIRCLE", "円", Cell(kColA, 0, kInstrRow0)},
    {idc::Circle2, ControlKind::ImageButton, "CIRCLE2", "二円", Cell(kColC, 1, kInstrRow0)},
    {idc::Sui, ControlKind::ImageButton, "SUI", "垂線", Cell(kColB, 1, kInstrRow0)},
    {idc::Angle, ControlKind::ImageButton, "ANGLE", "角度", Cell(kColA, 1, kInstrRow0)},
    {idc::Color, ControlKind::ImageButton, "COLOR", "色", Cell(kColC, 2, kInstrRow0)},
    {idc::LoadResults, ControlKind::ImageButton, "CLEAR", "読込", Cell(kColB, 2, kInstrRow0)},
    {idc::Delete, ControlKind::ImageButton, "DELETE", "削除", Cell(kColA, 2, kInstrRow0)},
    {idc::Csv, ControlKind::ImageButton, "CSV", "CSV", Cell(kColC, 3, kInstrRow0)},
    {idc::Calib, ControlKind::ImageButton, "CALIB", "校正", Cell(kColB, 3, kInstrRow0)},
    {idc::CrossLine, ControlKind::ImageButton, "Cross Line", "クロス", Cell(kColA, 3, kInstrRow0)},
    {idc::CalibLabel, ControlKind::Label, "Calibration value", "校正値",
     {kColC, kInstrRow0 + 4 * kRow - 6, kColB + 20, kInstrRow0 + 4 * kRow + 30}},
    {idc::CalibCombo, ControlKind::ComboBox, "Calibration value", "校正値",
     {kColB + 22, kInstrRow0 + 4 * kRow, kColA + kW, kInstrRow0 + 4 * kRow + 24}},
    {idc::ResultsList, ControlKind::ListView, "Results", "計測結果", {kGroupLeft, kListTop, kGroupRight, 840}},
    {idc::StripGroup, ControlKind::GroupBox, "", "", {8, 660, 848, 818}},
    {idc::ThumbScroll, ControlKind::ScrollBar, "Thumbnails", "サムネイル", {16, 799, 840, 816}},
    {idc::StripToggle, ControlKind::ArrowButton, "Show or hide the thumbnails", "サムネイルの表示切替", {0, 847, 13, 860}},
    {idc::PanelToggle, ControlKind::ArrowButton, "Show or hide the buttons", "ボタンの表示切替", {1087, 0, 1100, 13}},
    {idc::EdgeSnapCheck, ControlKind::CheckBox, "", "", {1058, 0, 1072, 14}},
    {idc::EdgeSnapButton, ControlKind::IconButton, "Edge snapping", "エッジ吸着", {1038, 0, 1054, 16}},
};

} // namespace

std::span<const ControlSpec> MainDialogControls() { return kControls; }

const ControlSpec* FindControlSpec(int id) {
    for (const ControlSpec& c : kControls)
        if (c.id == id)
            return &c;
    return nullptr;
}
