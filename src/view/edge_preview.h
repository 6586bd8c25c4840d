#pragma once

class CDibImage;
struct MagnetSettings;

// The two-level picture shown instead of the display image while `Show` is 1: 255 where
// the edge image is greater than `TH`, else 0; for the "Binary" type (`Vector` 3) taken
// from the display image instead, 255 where its grey weighted sum (not divided by 100)
// is greater than TH x 100 (24 or 32-bit), or its value greater than TH (8-bit).
// `preview` must be an 8-bit image of the source's size. Returns 1, or 0 (preview
// untouched) when a size or bit count does not fit.
int MakeEdgePreview(const MagnetSettings& magnet, const CDibImage& edge, const CDibImage& display,
                    CDibImage& preview);
