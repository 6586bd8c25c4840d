#include "app/main_layout.h"

#include "app/main_dialog_template.h"

std::optional<int> RightEdgeDistance(int id, const DpiScale& s, int w, int calibComboWidth) {
    const int a = s.x(7) + s.x(11);
    const int b = a + w + s.x(11);
    const int c = a + 2 * (w + s.x(11));
    switch (id) {
    case idc::LoadImageGroup:
    case idc::InstrumentGroup:
        return s.x(11);
    case idc::SaveDir:
    case idc::Thumb:
    case idc::ScreenScale:
    case idc::ScreenScaleLabel:
    case idc::Circle:
    case idc::Angle:
    case idc::Delete:
    case idc::CrossLine:
    case idc::CalibCombo:
        return a;
    case idc::SaveImage:
    case idc::Type:
    case idc::Aria:
    case idc::Sui:
    case idc::LoadResults:
    case idc::Calib:
        return b;
    case idc::Live:
    case idc::Set:
    case idc::FocusArea:
    case idc::Line:
    case idc::Circle2:
    case idc::Color:
    case idc::Csv:
        return c;
    case idc::CalibLabel:
        return a + calibComboWidth;
    case idc::EdgeSnapButton:
        return s.x(46);
    case idc::EdgeSnapCheck:
        return s.x(28);
    case idc::PanelToggle:
        return 0;
    default:
        return std::nullopt;
    }
}

std::optional<int> RightAlignedLeft(int id, int clientWidth, int controlWidth,
                                    const DpiScale& scale, int liveWidth, int calibComboWidth) {
    const auto d = RightEdgeDistance(id, scale, liveWidth, calibComboWidth);
    if (!d)
        return std::nullopt;
    return clientWidth - *d - controlWidth;
}
