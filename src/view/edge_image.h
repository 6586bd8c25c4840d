#pragma once
#include <cstdint>
#include <vector>

class CDibImage;

// The gradient picture that edge snapping searches and the preview shows: one Sobel
// magnitude 0...255 per picture pixel, computed from the grey copy of the display image.

// Polarity of an edge type (`MagnetData.Vector`): 1 keeps light pixels only (+1),
// 2 dark pixels only (-1), every other type keeps all (0).
int EdgePolarity(int vector);

// Fills `edge` from `display` (24 or 32-bit through the grey conversion, 8-bit taken as
// grey), with `grey` as the grey copy. `grey` and `edge` must be 8-bit images of the
// display's size; nothing is allocated. The outermost rows and columns of `edge` are 0.
// Returns 1, or 0 (images untouched) when a size or bit count does not fit.
int ComputeEdgeImage(const CDibImage& display, CDibImage& grey, CDibImage& edge, int vector);

// The magnitude step alone, from an 8-bit grey picture into `edge` of the same size.
// polarity is that of EdgePolarity. Returns 1, or 0 when the images do not fit.
int EdgeImageFromGrey(const CDibImage& grey, CDibImage& edge, int polarity);

// One implementation of the magnitude step for rows of a picture: writes columns
// 1...width-2 of `out` from the three grey rows around it. Every kernel gives the same
// bytes; the widest one the processor runs is used.
using EdgeRowKernel = void (*)(const std::uint8_t* below, const std::uint8_t* centre,
                               const std::uint8_t* above, std::uint8_t* out, int width,
                               int polarity);
struct EdgeKernelInfo {
    const char* name;
    EdgeRowKernel kernel;
};
// The kernels this processor can run, the one in use first.
std::vector<EdgeKernelInfo> AvailableEdgeKernels();
int EdgeImageFromGrey(const CDibImage& grey, CDibImage& edge, int polarity, EdgeRowKernel kernel);
