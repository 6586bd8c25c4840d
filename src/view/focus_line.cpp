#include "view/focus_line.h"

#include "settings/app_settings.h"
#include "view/direction_cursor.h"
#include "view/focus_profile.h"

#include <cmath>
#include <limits>

void ToggleFocusLine(ColorSettings& color, FocusProfile& profile) {
    color.focusflg = color.focusflg == 0 ? 1 : 0;
    profile.clearPeak();
}

int FocusLinePress(ColorSettings& color, const DPOINT& mouse) {
    if (color.focusflg != 1)
        return 0;
    if (!(std::fabs(mouse.y - color.focuspos) < kFocusLineReach))
        return 0;
    color.focusflg = 2;
    return CursorCode::SizeVertical;
}

bool FocusLineMove(ColorSettings& color, const DPOINT& mouse, bool insidePicture) {
    if (color.focusflg != 2)
        return false;
    if (insidePicture && std::isfinite(mouse.y) &&
        std::fabs(mouse.y) < static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        color.focuspos = static_cast<std::int32_t>(mouse.y);
    return true;
}

void FocusLineRelease(ColorSettings& color) {
    if (color.focusflg == 2)
        color.focusflg = 1;
}
