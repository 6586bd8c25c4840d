#pragma once
#include <array>
#include <cstdint>
#include <vector>

class CDibImage;
class OverlayList;
struct ColorSettings;
struct OverlayMapping;

// Brightness along the focus line: (30 R + 59 G + 11 B) / 100, in integers.
constexpr int FocusBrightness(int r, int g, int b) {
    return (30 * r + 59 * g + 11 * b) / 100;
}

// Display gain of `color.focusscale`: 1.0 + 0.2 x index, the index held within 0 ... 20.
double FocusGain(int focusscale);

// The sharpness profile along the focus line and its peak hold.
//
// Only the first kColumns image columns have a profile and a peak: the columns of a
// wider picture beyond them are not computed and show no bar.
class FocusProfile {
  public:
    static constexpr int kColumns = 5000;

    FocusProfile();

    // One paint: when the line is on (`focusflg` != 0) and 0 < `focuspos` < height - 2,
    // the profile of that row of the picture (24 or 32-bit) and the peak hold; false,
    // leaving the profile empty, otherwise.
    bool update(const CDibImage& picture, const ColorSettings& color);
    // The same for a row, whatever the settings.
    bool compute(const CDibImage& picture, int row);

    // The row the profile is of, or -1 when there is none.
    int row() const { return m_row; }
    // One value per image column (at most kColumns): |Gx| of the brightness, smoothed.
    const std::vector<std::int32_t>& values() const { return m_values; }
    const std::array<std::int32_t, kColumns>& peak() const { return m_peak; }
    // The Focus button of the display settings.
    void clearPeak() { m_peak.fill(0); }

  private:
    std::vector<std::int32_t> m_values;
    int m_row = -1;
    std::vector<std::int32_t> m_scratch;
    std::array<std::int32_t, kColumns> m_peak{};
};

// The focus profile's bars and peak curve over the picture area (areaWidth x areaHeight,
// starting at the mapping's origin), written directly into the off-screen picture:
// picture-area column c shows image column floor(c / sx - t), t being the horizontal
// offset truncated toward zero (0 while fitted); its bar is the value times the gain,
// truncated, at most areaHeight - 1 pixels, rising from the bottom edge, or hanging
// from the top edge while the focus line lies in the lower half of the area. The peak
// curve (pen width 1, companion colour) runs at the same heights of the peak values.
void AppendFocusProfile(OverlayList& out, const OverlayMapping& map, int areaWidth, int areaHeight,
                        const FocusProfile& profile, const ColorSettings& color);

// Bar height of a profile value: value x gain truncated, within 0 ... areaHeight - 1.
int FocusBarHeight(std::int32_t value, double gain, int areaHeight);
