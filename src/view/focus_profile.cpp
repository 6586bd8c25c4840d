#include "view/focus_profile.h"

#include "images/dib_image.h"
#include "settings/app_settings.h"
#include "view/overlay_list.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

double FocusGain(int focusscale) {
    return 1.0 + 0.2 * std::clamp(focusscale, 0, 20);
}

int FocusBarHeight(std::int32_t value, double gain, int areaHeight) {
    if (areaHeight <= 1 || value <= 0)
        return 0;
    const double h = std::trunc(static_cast<double>(value) * gain);
    return h >= areaHeight - 1 ? areaHeight - 1 : static_cast<int>(h);
}

FocusProfile::FocusProfile() {
    m_values.reserve(kColumns);
}

bool FocusProfile::update(const CDibImage& picture, const ColorSettings& color) {
    if (color.focusflg == 0) {
        m_values.clear();
        m_row = -1;
        return false;
    }
    return compute(picture, color.focuspos);
}

bool FocusProfile::compute(const CDibImage& picture, int row) {
    m_values.clear();
    m_row = -1;
    const int bpp = picture.bitCount() == 24 ? 3 : picture.bitCount() == 32 ? 4 : 0;
    const int w = picture.width();
    const int h = picture.height();
    if (picture.isNull() || bpp == 0 || !(row > 0 && row < h - 2) || w < 1)
        return false;
    // Columns with a profile, and one more for the smoothing of the last of them.
    const int n = std::min(w, kColumns);
    const int m = std::min(w, n + 1);
    // Vertical sums Y(x, r - 1) + 2 Y(x, r) + Y(x, r + 1), as far as the gradients reach.
    const int sums = std::min(m + 1, w);
    std::vector<std::int32_t>& p = m_scratch;
    p.assign(static_cast<std::size_t>(m) + static_cast<std::size_t>(sums), 0);
    std::int32_t* s = p.data() + m;
    const std::uint8_t* above = picture.scanLine(row - 1);
    const std::uint8_t* line = picture.scanLine(row);
    const std::uint8_t* below = picture.scanLine(row + 1);
    for (int x = 0; x < sums; ++x) {
        const std::size_t o = static_cast<std::size_t>(x) * bpp;
        s[x] = FocusBrightness(above[o + 2], above[o + 1], above[o]) +
               2 * FocusBrightness(line[o + 2], line[o + 1], line[o]) +
               FocusBrightness(below[o + 2], below[o + 1], below[o]);
    }
    const int lastGradient = std::min(m - 1, w - 2);
    for (int x = 1; x <= lastGradient; ++x)
        p[static_cast<std::size_t>(x)] = std::abs(s[x + 1] - s[x - 1]);
    // In place, left to right: the left neighbour counts with the value it had before.
    const int lastSmoothed = std::min(n - 1, w - 2);
    std::int32_t left = p[0];
    for (int x = 1; x <= lastSmoothed; ++x) {
        const std::int32_t old = p[static_cast<std::size_t>(x)];
        p[static_cast<std::size_t>(x)] = (left + old + p[static_cast<std::size_t>(x) + 1]) / 3;
        left = old;
    }
    m_values.assign(p.begin(), p.begin() + n);
    for (int k = 0; k < n; ++k)
        m_peak[static_cast<std::size_t>(k)] =
            std::max(m_peak[static_cast<std::size_t>(k)], m_values[static_cast<std::size_t>(k)]);
    m_row = row;
    return true;
}

void AppendFocusProfile(OverlayList& out, const OverlayMapping& map, int areaWidth, int areaHeight,
                        const FocusProfile& profile, const ColorSettings& color) {
    const std::vector<std::int32_t>& values = profile.values();
    if (values.empty() || areaWidth <= 0 || areaHeight <= 1 || !(map.sx > 0.0))
        return;
    const double gain = FocusGain(color.focusscale);
    const int ox =
        static_cast<int>(std::clamp(map.originX, -OverlayMapping::kLimit, OverlayMapping::kLimit));
    const int oy =
        static_cast<int>(std::clamp(map.originY, -OverlayMapping::kLimit, OverlayMapping::kLimit));
    const int lineRow = map.map({0.0, static_cast<double>(color.focuspos)}).y - oy;
    const bool hang = lineRow >= areaHeight / 2;
    const double t = std::trunc(map.offX);
    const auto columnOf = [&](int c) -> long long {
        const double v = std::floor(c / map.sx - t);
        if (!(v >= 0.0) || v >= static_cast<double>(values.size()))
            return -1;
        return static_cast<long long>(v);
    };
    const auto bar = [&](int from, int to, int height) {
        if (height <= 0)
            return;
        const int top = hang ? oy : oy + areaHeight - height;
        out.band(color.wave, 100, IntRect{ox + from, top, ox + to, top + height});
    };

    // Bars: neighbouring columns of one height go out as one band.
    int runStart = 0;
    int runHeight = 0;
    std::vector<OverlayPoint> curve;
    std::vector<std::vector<OverlayPoint>> curves;
    for (int c = 0; c < areaWidth; ++c) {
        const long long ic = columnOf(c);
        int height = 0;
        if (ic >= 0) {
            height = FocusBarHeight(values[static_cast<std::size_t>(ic)], gain, areaHeight);
            const int peak =
                FocusBarHeight(profile.peak()[static_cast<std::size_t>(ic)], gain, areaHeight);
            curve.push_back({ox + c, hang ? oy + peak : oy + areaHeight - 1 - peak});
        } else if (!curve.empty()) {
            curves.push_back(std::move(curve));
            curve.clear();
        }
        if (height != runHeight) {
            bar(runStart, c, runHeight);
            runStart = c;
            runHeight = height;
        }
    }
    bar(runStart, areaWidth, runHeight);
    if (!curve.empty())
        curves.push_back(std::move(curve));
    const COLORREF peakColour = CompanionColour(color.wave);
    for (std::vector<OverlayPoint>& points : curves) {
        if (points.size() == 1)
            points.push_back(points.front());
        out.polyline(peakColour, 1, std::move(points));
    }
}
