#include "calib/picture_layout.h"

#include "calib/magnification.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

IntRect PictureAreaRect(const PictureLayoutInput& in) {
    int width = 0;
    int height = 0;
    if (in.imageWidth <= 0 || in.imageHeight <= 0) {
        width = std::max(0, in.clientWidth - in.panelRoom);
        height = std::max(0, in.clientHeight - in.stripRoom);
    } else if (in.magnification >= 1) {
        const double f = MagnificationFactor(in.magnification);
        width = std::min(static_cast<int>(std::floor(in.imageWidth * f)),
                         in.clientWidth - in.panelRoom);
        height = std::min(static_cast<int>(std::floor(in.imageHeight * f)),
                          in.clientHeight - in.stripRoom);
    } else {
        const std::int64_t aw = std::max(0, in.clientWidth - in.px - in.panelRoom);
        const std::int64_t ah = std::max(0, in.clientHeight - in.py - in.stripRoom);
        const std::int64_t iw = in.imageWidth;
        const std::int64_t ih = in.imageHeight;
        std::int64_t w = aw;
        std::int64_t h = ah;
        if (iw * ah < aw * ih)
            w = ah * iw / ih;
        else if (iw * ah > aw * ih)
            h = aw * ih / iw;
        width = static_cast<int>(in.px + w);
        height = static_cast<int>(in.py + h);
    }
    width = std::max(0, width);
    height = std::max(0, height);
    return {in.px, in.py, in.px + width, in.py + height};
}

void ClampScrollOffsets(double& baiX, double& baiY, int areaWidth, int areaHeight,
                        int imageWidth, int imageHeight, int magnification) {
    const double f = MagnificationFactor(magnification);
    if (baiX > 0)
        baiX = 0;
    if (baiY > 0)
        baiY = 0;
    // The last rule wins when the picture is smaller than the area.
    const double minX = areaWidth / f - imageWidth;
    const double minY = areaHeight / f - imageHeight;
    if (baiX < minX)
        baiX = minX;
    if (baiY < minY)
        baiY = minY;
}
