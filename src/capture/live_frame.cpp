#include "capture/live_frame.h"

#include "capture/frame_rate.h"
#include "capture/white_balance.h"
#include "images/dib_image.h"
#include "images/resample_nearest.h"

void DisplaySizeFor(const ResizeSettings& resize, int cameraWidth, int cameraHeight, int& width,
                    int& height) {
    if (resize.Resize_Width > 0 && resize.Resize_Height > 0) {
        width = resize.Resize_Width;
        height = resize.Resize_Height;
    } else {
        width = cameraWidth;
        height = cameraHeight;
    }
}

void FillDisplayFromFrame(const CDibImage& frame, CDibImage& display, const ResizeSettings& resize) {
    if (resize.Resize_Width > 0 && resize.Resize_Height > 0) {
        IntRect source{0, 0, frame.width(), frame.height()};
        if (resize.Resize_Left >= 0 && resize.Resize_Top >= 0 && resize.Resize_Right > 0 &&
            resize.Resize_Bottom > 0) {
            const IntRect r{resize.Resize_Left, resize.Resize_Top, resize.Resize_Right,
                            resize.Resize_Bottom};
            if (!r.isEmpty()) // a rectangle turned inside out would show nothing at all
                source = r;
        }
        ResampleNearest(frame, source, display, {0, 0, display.width(), display.height()});
    } else {
        display.blitFrom(frame, 0, 0);
    }
}

LiveFrameOutcome PrepareLiveFrame(const CDibImage& frame, CDibImage& display,
                                  const ResizeSettings& resize, const WhiteBalanceOffsets& offsets,
                                  WhiteBalanceMeasure& measure, std::uint32_t now,
                                  std::uint32_t lastTick) {
    if (FrameIsLate(now, lastTick))
        return LiveFrameOutcome::Late;
    FillDisplayFromFrame(frame, display, resize);
    if (offsets.m_WB_Flg != 0)
        ApplyWhiteBalanceOffsets(display, offsets.m_WB_R, offsets.m_WB_B);
    if (measure.request != 0) {
        MeasureWhiteBalance(display, measure);
        return LiveFrameOutcome::Measured;
    }
    return LiveFrameOutcome::Shown;
}
