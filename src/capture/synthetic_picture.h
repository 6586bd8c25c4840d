#pragma once
#include "platform/colorref.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Pictures of the virtual cameras: the demo camera's specimen and the plain patterns
// the tests look for. The picture is drawn once; each frame is that picture through
// the camera's picture controls plus a little noise, written as top-down B, G, R rows.
class SyntheticPicture {
public:
    enum class Pattern {
        // A backlit specimen: a dot-grid calibration target with ruler marks beside
        // sharp-edged shapes (a disc, a ring, a rectangle, a triangle, a fibre).
        Specimen,
        // Four solid quarters: red top-left, green top-right, blue bottom-left, white
        // bottom-right, so that a flipped or mirrored picture shows at once.
        Quadrants,
        Solid, // one colour
    };

    // Camera picture controls. Brightness is added, contrast scales about mid-grey in
    // percent, the gains scale each channel in percent, noise is the largest change
    // (+/-) of a byte from frame to frame.
    struct Controls {
        int brightness = 0;
        int contrast = 100;
        int gainRed = 100;
        int gainGreen = 100;
        int gainBlue = 100;
        int noise = 0;
        // The lens: 0 in focus; away from it the specimen blurs by that many pixels.
        int focus = 0;
        bool operator==(const Controls&) const = default;
    };

    // The calibration target of the specimen at 1280 x 1024 (scaled with the picture, the
    // same in both directions): the central dot, the pitch of the grid and ruler marks, and
    // the small dots' radius. Along both axes through the central dot the grid dots give
    // way to bars half a pitch long with gaps as long, the first gap starting at the dot's
    // rim, so that every edge crossing along those lines is kEdgePitch from the next:
    // what automatic calibration measures.
    static constexpr int kCentreX = 320;
    static constexpr int kCentreY = 340;
    static constexpr int kGridPitch = 60;
    static constexpr int kCentreDotRadius = kGridPitch / 2;
    static constexpr int kEdgePitch = kGridPitch / 2;
    static constexpr int kGridDotRadius = 4;

    // Draws the picture; false (and an empty picture) for a size outside 1..8192.
    bool build(Pattern pattern, int width, int height, COLORREF solid = RGB(128, 128, 128));
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isNull() const { return m_base.empty(); }

    // Takes new controls; the next render uses them.
    void setControls(const Controls& controls);
    const Controls& controls() const { return m_controls; }

    // Writes frame `frameNumber` into `destination`: height rows of width x 3 bytes,
    // `stride` bytes apart (stride >= width x 3, `size` bytes available). Returns false,
    // writing nothing, when the destination is too small.
    bool render(std::uint64_t frameNumber, std::uint8_t* destination, std::size_t size,
                int stride) const;

    // The noiseless picture in focus, top-down B, G, R without padding.
    const std::vector<std::uint8_t>& base() const { return m_base; }

    static constexpr int kMaxDefocus = 10;

private:
    void drawSpecimen();
    void rebuildTables();
    void refocus();
    // What the lens shows: the defocused picture when there is one, else the base.
    const std::vector<std::uint8_t>& seen() const { return m_defocused.empty() ? m_base : m_defocused; }

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_base;
    std::vector<std::uint8_t> m_defocused; // empty while in focus
    int m_defocusRadius = 0;               // the blur m_defocused was made with
    Controls m_controls;
    bool m_identity = true; // controls change nothing: frames are plain copies
    std::array<std::array<std::uint8_t, 256>, 3> m_tables{};
    std::vector<std::int8_t> m_noise; // fixed random values in -noise..noise, read at a moving offset
    std::vector<std::int8_t> m_noiseBytes; // each of m_noise three times, one per byte of a pixel
};
