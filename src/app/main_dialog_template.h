#pragma once
#include "platform/int_rect.h"

#include <span>

// Controls of the main window, addressed by their numeric ids.
namespace idc {
constexpr int Picture = 1072;
constexpr int ThumbScroll = 1074;
constexpr int SaveImage = 1087;
constexpr int SaveDir = 1088;
constexpr int ScreenScale = 1099;
constexpr int ScreenScaleLabel = 224;
constexpr int LoadImageGroup = 1100;
constexpr int InstrumentGroup = 1111;
constexpr int Line = 1019;
constexpr int Aria = 1113;
constexpr int Circle = 1114;
constexpr int Circle2 = 1115;
constexpr int LoadResults = 1116;
constexpr int Color = 1117;
constexpr int ResultsList = 1118;
constexpr int Delete = 1119;
constexpr int Sui = 1120;
constexpr int Angle = 1121;
constexpr int FocusArea = 1122;
constexpr int StripToggle = 1123;
constexpr int Calib = 1124;
constexpr int CalibCombo = 1125;
constexpr int CalibLabel = 1126;
constexpr int Csv = 1127;
constexpr int StripGroup = 1129;
constexpr int Live = 1130;
constexpr int Type = 1131;
constexpr int Set = 1132;
constexpr int Thumb = 1133;
constexpr int PanelToggle = 1134;
constexpr int CrossLine = 1219;
constexpr int EdgeSnapCheck = 1233;
constexpr int EdgeSnapButton = 1236;
} // namespace idc

enum class ControlKind {
    GroupBox,
    ImageButton,  // a cell of the button sheet
    ArrowButton,  // a 13 x 13 panel toggle
    IconButton,   // the edge-snap button
    CheckBox,
    ComboBox,
    Label,
    ListView,
    ScrollBar,
    PictureFrame,
};

// One control of the main window as laid out at 96 dots per inch, before the
// first resize moves the right-hand panel to the window's right edge.
struct ControlSpec {
    int id;
    ControlKind kind;
    const char* english; // caption (image buttons: the caption on their cell)
    const char* japanese;
    IntRect rect;
};

std::span<const ControlSpec> MainDialogControls();
const ControlSpec* FindControlSpec(int id);

// Client size of the main window as designed, at 96 dots per inch.
constexpr int kMainDialogWidth = 1100;
constexpr int kMainDialogHeight = 860;
