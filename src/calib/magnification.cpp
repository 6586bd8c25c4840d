#include "calib/magnification.h"

#include "platform/language.h"

std::string MagnificationName(int index) {
    if (index == 0)
        return Tr("full-screen", "全画面表示");
    if (index < 1 || index >= kMagnificationCount)
        return {};
    const int tenths = 10 + 2 * (index - 1);
    std::string factor = std::to_string(tenths / 10);
    if (tenths % 10 != 0)
        factor += "." + std::to_string(tenths % 10);
    return g_bJapanese ? factor + "倍" : "x" + factor;
}
