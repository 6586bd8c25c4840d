#include "calib/auto_calibration.h"

#include "images/dib_image.h"
#include "platform/profile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kPiArea = 3.1415926535; // for the dot's pixel-count limits
constexpr double kPiDot = 3.14159;       // for the dot test
constexpr double kDotAspect = 1.05;
constexpr double kDotFill = 0.1;
constexpr int kMaskThreshold = 80;
constexpr int kEdgeThreshold = 100;
constexpr double kStripMinPixels = 5;
constexpr double kStripMaxPixels = 1000;
constexpr double kNoAspectLimit = 1.0e8;
constexpr int kMargin = 10;
constexpr int kStripHalf = 5;

IntRect Normalised(const IntRect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// Grey of the rectangle, rows bottom first like the label images.
bool CropGrey(const CDibImage& display, const IntRect& region, std::vector<std::uint8_t>& grey) {
    const int bytes = display.bytesPerPixel();
    if (display.isNull() || (bytes != 1 && bytes != 3 && bytes != 4))
        return false;
    const int w = region.width(), h = region.height();
    grey.resize(static_cast<std::size_t>(w) * h);
    for (int t = 0; t < h; ++t) {
        const std::uint8_t* s =
            display.scanLine(region.top + t) + static_cast<std::size_t>(region.left) * bytes;
        std::uint8_t* d = grey.data() + static_cast<std::size_t>(h - 1 - t) * w;
        if (bytes == 1) {
            std::copy_n(s, w, d);
            continue;
        }
        for (int x = 0; x < w; ++x, s += bytes)
            d[x] = static_cast<std::uint8_t>((30 * s[2] + 59 * s[1] + 11 * s[0]) / 100);
    }
    return true;
}

std::int32_t Mark(bool foreground) {
    return foreground ? kLabelForeground : kLabelBackground;
}

// Blob search over a strip of the edge mask; the sorted crossings' mean spacing, or a
// negative value when there are fewer than two.
bool StripPitch(BlobSearch& search, LabelImage& edges, const IntRect& strip, bool alongX,
                double& pitch, bool& tooMany) {
    std::vector<FoundBlob> blobs;
    if (search.run(edges, strip, kStripMinPixels, kStripMaxPixels, kNoAspectLimit, blobs) !=
        BlobSearchResult::Ok) {
        tooMany = true;
        return false;
    }
    if (blobs.size() < 2)
        return false;
    std::vector<std::int64_t> at;
    at.reserve(blobs.size());
    for (const FoundBlob& b : blobs)
        at.push_back(alongX ? b.centreX : b.centreY);
    std::sort(at.begin(), at.end());
    pitch = static_cast<double>(std::llabs(at.back() - at.front())) /
            static_cast<double>(at.size() - 1);
    return true;
}

} // namespace

bool MakeAutoCalibrationMasks(const CDibImage& display, const IntRect& region, LabelImage& dark,
                              LabelImage& edges) {
    std::vector<std::uint8_t> grey;
    if (region.isEmpty() || !CropGrey(display, region, grey))
        return false;
    const int w = region.width(), h = region.height();
    dark.assign(w, h, kLabelBackground);
    edges.assign(w, h, kLabelBackground);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* g = grey.data() + static_cast<std::size_t>(y) * w;
        std::int32_t* d = dark.row(y);
        for (int x = 0; x < w; ++x)
            d[x] = Mark(g[x] < kMaskThreshold);
    }
    // Edge pixels are black (0) in the edge image, so they are its foreground; pixels
    // without a full neighbourhood stay background.
    constexpr int kEdgeSquare = (kEdgeThreshold + 1) * (kEdgeThreshold + 1);
    for (int y = 1; y + 1 < h; ++y) {
        const std::uint8_t* below = grey.data() + static_cast<std::size_t>(y - 1) * w;
        const std::uint8_t* centre = below + w;
        const std::uint8_t* above = centre + w;
        std::int32_t* e = edges.row(y);
        for (int x = 1; x + 1 < w; ++x) {
            const int gx = (above[x + 1] + 2 * centre[x + 1] + below[x + 1]) -
                           (above[x - 1] + 2 * centre[x - 1] + below[x - 1]);
            const int gy = (above[x - 1] + 2 * above[x] + above[x + 1]) -
                           (below[x - 1] + 2 * below[x] + below[x + 1]);
            // The integer part of the magnitude is above 100 exactly when its square is
            // at least 101 squared.
            e[x] = Mark(gx * gx + gy * gy >= kEdgeSquare);
        }
    }
    return true;
}

AutoCalibrationResult AutoCalibrate(const CDibImage& display, const IntRect& calibSet,
                                    int autoMinSize, int autoMaxSize, CALIBRATION& c) {
    AutoCalibrationResult result;
    if (display.isNull() ||
        (display.bitCount() != 8 && display.bitCount() != 24 && display.bitCount() != 32)) {
        result.error = AutoCalibrationError::NoPicture;
        return result;
    }
    result.region = Normalised(calibSet).intersected({0, 0, display.width(), display.height()});
    const int w = result.region.width(), h = result.region.height();
    if (w <= 2 * kMargin || h <= 2 * kMargin) {
        result.error = AutoCalibrationError::RegionTooSmall;
        return result;
    }
    LabelImage dark, edges;
    MakeAutoCalibrationMasks(display, result.region, dark, edges);

    BlobSearch search;
    std::vector<FoundBlob> blobs;
    const double minR = autoMinSize, maxR = autoMaxSize;
    if (search.run(dark, {kMargin, kMargin, w - kMargin, h - kMargin}, kPiArea * minR * minR,
                   kPiArea * maxR * maxR, kDotAspect, blobs) != BlobSearchResult::Ok) {
        result.error = AutoCalibrationError::TooManyLabels;
        return result;
    }
    const auto dot = std::find_if(blobs.begin(), blobs.end(), [](const FoundBlob& b) {
        const double half = std::abs(b.maxX - b.minX) * 0.5;
        const double a = kPiDot * half * half;
        return a > 0.0 && std::fabs(a - static_cast<double>(b.count)) / a < kDotFill;
    });
    if (dot == blobs.end()) {
        result.error = AutoCalibrationError::NoDot;
        return result;
    }
    result.dot = *dot;

    // The strips run through the dot along both axes, in the edge mask's row order.
    const int cx = static_cast<int>(dot->centreX);
    const int r = h - static_cast<int>(dot->centreY);
    const IntRect strips[4] = {
        {kMargin, r - kStripHalf, cx, r + kStripHalf},
        {cx - kStripHalf, kMargin, cx + kStripHalf, r},
        {cx, r - kStripHalf, w - kMargin, r + kStripHalf},
        {cx - kStripHalf, r, cx + kStripHalf, h - kMargin},
    };
    for (int k = 0; k < 4; ++k) {
        bool tooMany = false;
        if (!StripPitch(search, edges, strips[k], k % 2 == 0, result.pitch[k], tooMany)) {
            result.error =
                tooMany ? AutoCalibrationError::TooManyLabels : AutoCalibrationError::NoPitch;
            return result;
        }
    }
    SetCrossFromPitches(c, result.pitch);
    return result;
}

void SetCrossFromPitches(CALIBRATION& c, const std::array<double, 4>& pitch) {
    const double gx = std::fabs(c.right + c.left) * 0.5;
    const double gy = std::fabs(c.bottom + c.top) * 0.5;
    c.left = gx - pitch[0] * 0.5;
    c.top = gy - pitch[1] * 0.5;
    c.right = gx + pitch[2] * 0.5;
    c.bottom = gy + pitch[3] * 0.5;
}

void ReloadAutoSizeLimits(const Profile& profile, std::int32_t& autoMinSize,
                          std::int32_t& autoMaxSize) {
    autoMinSize = profile.GetInt("Mirelta", "AutoMinSize", autoMinSize);
    autoMaxSize = profile.GetInt("Mirelta", "AutoMaxSize", autoMaxSize);
}
