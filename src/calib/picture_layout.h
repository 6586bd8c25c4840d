#pragma once
#include "platform/int_rect.h"

// Where the picture area goes in the main window. The area's top-left corner (px, py)
// is fixed; `panelRoom` is the width kept for the right-hand panel and `stripRoom`
// the height kept for the thumbnail strip (both already scaled to the screen).
struct PictureLayoutInput {
    int imageWidth = 0;
    int imageHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int px = 0;
    int py = 0;
    int panelRoom = 0;
    int stripRoom = 0;
    int magnification = 0; // 0 fit, 1 ... 21 factors
};

// The rectangle of the picture control. Fitted, the control is given the width
// px + w and the height py + h of the largest w x h of the picture's proportions
// inside the room left, so it is stretched beyond those proportions by px and py;
// magnified, it is the scaled picture cut to the room. Never negative in size.
IntRect PictureAreaRect(const PictureLayoutInput& in);

// Scroll offsets (image pixels, <= 0) kept so that no space shows left of or above
// the picture, nor right of or below it while the picture is larger than the area.
void ClampScrollOffsets(double& baiX, double& baiY, int areaWidth, int areaHeight,
                        int imageWidth, int imageHeight, int magnification);
