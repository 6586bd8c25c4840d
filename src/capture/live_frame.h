#pragma once
#include "capture/device_settings.h"

#include <cstdint>

class CDibImage;
struct WhiteBalanceMeasure;

// The white-balance offsets of section "Mirelta".
struct WhiteBalanceOffsets {
    std::int32_t m_WB_Flg = 0;
    std::int32_t m_WB_R = 0;
    std::int32_t m_WB_B = 0;
};

// The display size for a camera size: Resize_Width x Resize_Height when both are
// positive, else the camera size.
void DisplaySizeFor(const ResizeSettings& resize, int cameraWidth, int cameraHeight, int& width,
                    int& height);

// Fills the display image from the frame: a nearest-neighbour resample when a display
// size is configured, otherwise a copy to the top-left corner. The resample takes the
// size of the Resize source rectangle when Resize_Left and Resize_Top are >= 0 and
// Resize_Right and Resize_Bottom > 0 (an empty rectangle counts as none), else of the
// whole frame; like every nearest resample it samples from the frame's top-left pixel.
void FillDisplayFromFrame(const CDibImage& frame, CDibImage& display, const ResizeSettings& resize);

enum class LiveFrameOutcome {
    Late,     // dropped: the user-interface thread is more than 500 ms behind its timer
    Measured, // used for the white-balance measurement; not counted, analysed or repainted
    Shown,    // in the display image; the caller analyses, counts and repaints it
};

// The first steps of every announced frame: the 500 ms rule, the display image, the
// white-balance offsets and, when requested, the white-balance measurement.
LiveFrameOutcome PrepareLiveFrame(const CDibImage& frame, CDibImage& display,
                                  const ResizeSettings& resize, const WhiteBalanceOffsets& offsets,
                                  WhiteBalanceMeasure& measure, std::uint32_t now,
                                  std::uint32_t lastTick);
