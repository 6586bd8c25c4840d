#pragma once

class CDibImage;
class OverlayList;
class QImage;
struct OverlayInputs;
struct ViewGeometry;
struct ViewMapping;

// The picture step of a paint: every pixel of `area` (Format_RGB32, the picture area's
// size) from `source`, a 24-bit picture or an 8-bit one drawn as grey.
//  - Fitted: area pixel (j, i) takes source pixel (j * srcW / dstW, i * srcH / dstH), the
//    ratios in single precision, truncated and clamped to the source.
//  - Magnified by f: area pixel (j, i) shows the source pixel under it, floor(j / f -
//    m_Bai_X), floor(i / f - m_Bai_Y): 1:1 from the scroll origin at x1, a
//    nearest-neighbour stretch at other factors, and always in step with the overlay's
//    mapping, fractional offsets included. Area pixels beyond the source are black.
// Other bit counts, and an empty source, give a black area.
void DrawPictureStep(QImage& area, const CDibImage& source, const ViewMapping& view);

// One paint of the picture area, composed off-screen into `buffer` (made the area's size,
// Format_RGB32): the picture, or `preview` when given (the edge preview); the inputs'
// picture layer; the overlay layers; the measurement being drawn. `scratch` is reused
// between paints. False, leaving the buffer alone, when the area is empty.
bool ComposePictureArea(QImage& buffer, const CDibImage& picture, const CDibImage* preview,
                        const ViewMapping& view, const ViewGeometry& geometry,
                        const OverlayInputs& in, OverlayList& scratch);

// The overlay layers and the measurement being drawn, burnt into `image` through its
// Canvas: the pixels the picture area shows at x1 with both scroll offsets 0 (the view
// itself is not touched). The picture layer and the calibration cross are not part of
// it. Returns 1, or 0 (image unchanged) unless the image is 24-bit.
int DrawOverlayOntoImage(CDibImage& image, const OverlayInputs& in);
