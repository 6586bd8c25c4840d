#include "capture/synthetic_picture.h"

#include "capture/box_blur.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxSide = 8192;
constexpr std::size_t kNoiseSize = 1 << 16;

// Written so that it becomes vector code: the same bytes as the saturation table.
void AddGrain(const std::uint8_t* __restrict src, std::uint8_t* __restrict dst,
              const std::int8_t* __restrict noise, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) {
        const int v = src[i] + noise[i];
        dst[i] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
}

struct Bgr {
    std::uint8_t b, g, r;
};
constexpr Bgr FromColorref(COLORREF c) {
    return {static_cast<std::uint8_t>(GetBValue(c)), static_cast<std::uint8_t>(GetGValue(c)),
            static_cast<std::uint8_t>(GetRValue(c))};
}

// Drawing on the top-down picture, always clipped.
class Painter {
public:
    Painter(std::vector<std::uint8_t>& bits, int width, int height)
        : m_bits(bits), m_width(width), m_height(height) {}

    void put(int x, int y, Bgr c) {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
        std::uint8_t* p = &m_bits[(static_cast<std::size_t>(y) * m_width + x) * 3];
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
    }
    void rect(int left, int top, int right, int bottom, Bgr c) {
        for (int y = std::max(top, 0); y < std::min(bottom, m_height); ++y)
            for (int x = std::max(left, 0); x < std::min(right, m_width); ++x)
                put(x, y, c);
    }
    // Pixels whose centres lie within the radius band [inner, outer); a negative inner
    // radius fills the whole disc.
    void ring(double cx, double cy, double outer, double inner, Bgr c) {
        const int top = static_cast<int>(std::floor(cy - outer));
        const int bottom = static_cast<int>(std::ceil(cy + outer));
        const int left = static_cast<int>(std::floor(cx - outer));
        const int right = static_cast<int>(std::ceil(cx + outer));
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const double dx = x - cx, dy = y - cy;
                const double d2 = dx * dx + dy * dy;
                if (d2 < outer * outer && (inner < 0 || d2 >= inner * inner))
                    put(x, y, c);
            }
    }
    void disc(double cx, double cy, double radius, Bgr c) { ring(cx, cy, radius, -1.0, c); }
    void triangle(double x0, double y0, double x1, double y1, double x2, double y2, Bgr c) {
        const int top = static_cast<int>(std::floor(std::min({y0, y1, y2})));
        const int bottom = static_cast<int>(std::ceil(std::max({y0, y1, y2})));
        const int left = static_cast<int>(std::floor(std::min({x0, x1, x2})));
        const int right = static_cast<int>(std::ceil(std::max({x0, x1, x2})));
        auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
            return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
        };
        const double area = edge(x0, y0, x1, y1, x2, y2);
        if (area == 0.0)
            return;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const double e0 = edge(x0, y0, x1, y1, x, y) / area;
                const double e1 = edge(x1, y1, x2, y2, x, y) / area;
                const double e2 = edge(x2, y2, x0, y0, x, y) / area;
                if (e0 >= 0 && e1 >= 0 && e2 >= 0)
                    put(x, y, c);
            }
    }
    // A straight band of the given width between two points.
    void band(double x0, double y0, double x1, double y1, double width, Bgr c) {
        const double len = std::hypot(x1 - x0, y1 - y0);
        if (len == 0.0)
            return;
        const double nx = -(y1 - y0) / len * width / 2, ny = (x1 - x0) / len * width / 2;
        triangle(x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, c);
        triangle(x0 + nx, y0 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny, c);
    }

private:
    std::vector<std::uint8_t>& m_bits;
    int m_width;
    int m_height;
};

} // namespace

bool SyntheticPicture::build(Pattern pattern, int width, int height, COLORREF solid) {
    m_base.clear();
    m_defocused.clear();
    m_defocusRadius = 0;
    m_width = m_height = 0;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    m_width = width;
    m_height = height;
    m_base.assign(static_cast<std::size_t>(width) * height * 3, 0);
    Painter p(m_base, width, height);
    switch (pattern) {
    case Pattern::Specimen: drawSpecimen(); break;
    case Pattern::Quadrants: {
        const int hw = width / 2, hh = height / 2;
        p.rect(0, 0, hw, hh, {0, 0, 255});
        p.rect(hw, 0, width, hh, {0, 255, 0});
        p.rect(0, hh, hw, height, {255, 0, 0});
        p.rect(hw, hh, width, height, {255, 255, 255});
        break;
    }
    case Pattern::Solid: p.rect(0, 0, width, height, FromColorref(solid)); break;
    }
    rebuildTables();
    refocus();
    return true;
}

void SyntheticPicture::drawSpecimen() {
    const double sx = m_width / 1280.0, sy = m_height / 1024.0, s = std::min(sx, sy);
    Painter p(m_base, m_width, m_height);

    // Backlit field, a little darker towards the corners.
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const double dx = (x - m_width / 2.0) / (m_width / 2.0);
            const double dy = (y - m_height / 2.0) / (m_height / 2.0);
            const double shade = 1.0 - 0.08 * (dx * dx + dy * dy);
            p.put(x, y, {static_cast<std::uint8_t>(196 * shade), static_cast<std::uint8_t>(208 * shade),
                         static_cast<std::uint8_t>(214 * shade)});
        }

    // The calibration target: a pale card with a dot grid around a larger central dot
    // and ruler marks along its top and left edges.
    const Bgr ink{38, 36, 34};
    const int cardLeft = static_cast<int>(40 * sx), cardTop = static_cast<int>(60 * sy);
    const int cardRight = static_cast<int>(600 * sx), cardBottom = static_cast<int>(620 * sy);
    p.rect(cardLeft - 2, cardTop - 2, cardRight + 2, cardBottom + 2, {90, 92, 96});
    p.rect(cardLeft, cardTop, cardRight, cardBottom, {236, 240, 242});
    // Whole pixels, so that the target is mirror-symmetric about its centre pixel.
    const int cx = static_cast<int>(std::lround(kCentreX * sx));
    const int cy = static_cast<int>(std::lround(kCentreY * sy));
    const int half = std::max(1, static_cast<int>(std::lround(kEdgePitch * s)));
    const int pitch = 2 * half;
    const int barHalfLength = std::max(6, static_cast<int>(std::lround(10 * s)));
    constexpr int kReach = 4;
    for (int j = -kReach; j <= kReach; ++j)
        for (int i = -kReach; i <= kReach; ++i)
            if (i != 0 && j != 0)
                p.disc(cx + i * pitch, cy + j * pitch, kGridDotRadius * s, ink);
    // The dot covers the pixels closer than `half` to its centre.
    p.disc(cx, cy, half, ink);
    for (int k = 1; k <= kReach; ++k) {
        const int near = k * pitch, far = k * pitch + half;
        p.rect(cx + near, cy - barHalfLength, cx + far, cy + barHalfLength + 1, ink);
        p.rect(cx - far + 1, cy - barHalfLength, cx - near + 1, cy + barHalfLength + 1, ink);
        p.rect(cx - barHalfLength, cy + near, cx + barHalfLength + 1, cy + far, ink);
        p.rect(cx - barHalfLength, cy - far + 1, cx + barHalfLength + 1, cy - near + 1, ink);
    }
    // Ruler ticks along the top and left edges; none where the bars reach the edges.
    for (int i = -kReach; i <= kReach; ++i) {
        if (i == 0)
            continue;
        const int x = cx + i * pitch;
        const int y = cy + i * pitch;
        p.rect(x - 1, cardTop + static_cast<int>(4 * sy), x + 1,
               cardTop + static_cast<int>(12 * sy), ink);
        p.rect(cardLeft + static_cast<int>(4 * sx), y - 1, cardLeft + static_cast<int>(12 * sx),
               y + 1, ink);
    }

    // Sharp-edged things to measure.
    p.disc(860 * sx, 240 * sy, 110 * s, {92, 42, 30});
    p.ring(1010 * sx, 760 * sy, 130 * s, 104 * s, {30, 62, 112});
    p.rect(static_cast<int>(690 * sx), static_cast<int>(420 * sy), static_cast<int>(930 * sx),
           static_cast<int>(560 * sy), {40, 140, 228});
    p.triangle(640 * sx, 950 * sy, 860 * sx, 950 * sy, 700 * sx, 690 * sy, {58, 118, 40});
    p.band(70 * sx, 700 * sy, 600 * sx, 990 * sy, 6 * s, {64, 58, 56});
}

void SyntheticPicture::setControls(const Controls& controls) {
    m_controls = controls;
    rebuildTables();
    refocus();
}

// Blurred once per change of the lens, not per frame: the register camera sets its
// controls whenever its gains move.
void SyntheticPicture::refocus() {
    const int radius = std::min(std::abs(m_controls.focus), kMaxDefocus);
    if (radius == m_defocusRadius && (radius == 0) == m_defocused.empty())
        return;
    m_defocusRadius = radius;
    m_defocused.clear();
    if (radius == 0 || m_base.empty())
        return;
    m_defocused = m_base;
    BoxBlurBgr(m_defocused, m_width, m_height, radius);
}

void SyntheticPicture::rebuildTables() {
    const Controls& c = m_controls;
    const int gains[3] = {c.gainBlue, c.gainGreen, c.gainRed};
    m_identity = c.brightness == 0 && c.contrast == 100 && c.gainRed == 100 &&
                 c.gainGreen == 100 && c.gainBlue == 100;
    // A fixed pseudo-random sequence (a 32-bit LCG) in -noise..noise: the same frames on
    // every run.
    const int noise = std::clamp(c.noise, 0, 100);
    m_noise.assign(noise ? kNoiseSize : 0, 0);
    std::uint32_t state = 0x2545F491u;
    for (auto& n : m_noise) {
        state = state * 1664525u + 1013904223u;
        n = static_cast<std::int8_t>(static_cast<int>((state >> 16) % (2 * noise + 1)) - noise);
    }
    // The same values once per byte of a pixel, for the plain grain below.
    m_noiseBytes.resize(m_noise.size() * 3);
    for (std::size_t k = 0; k < m_noise.size(); ++k)
        m_noiseBytes[3 * k] = m_noiseBytes[3 * k + 1] = m_noiseBytes[3 * k + 2] = m_noise[k];
    for (int ch = 0; ch < 3; ++ch)
        for (int v = 0; v < 256; ++v) {
            double out = (v - 128.0) * c.contrast / 100.0 + 128.0 + c.brightness;
            out = out * gains[ch] / 100.0;
            m_tables[ch][v] = static_cast<std::uint8_t>(std::clamp(std::lround(out), 0L, 255L));
        }
}

bool SyntheticPicture::render(std::uint64_t frameNumber, std::uint8_t* destination,
                              std::size_t size, int stride) const {
    if (isNull() || !destination || stride < m_width * 3)
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * 3;
    const std::size_t needed = static_cast<std::size_t>(stride) * (m_height - 1) + rowBytes;
    if (size < needed)
        return false;
    const bool noise = !m_noise.empty();
    // Saturation by table: index v + 128 for v in -128..383.
    static const std::array<std::uint8_t, 512> kClamp = [] {
        std::array<std::uint8_t, 512> t{};
        for (int i = 0; i < 512; ++i)
            t[i] = static_cast<std::uint8_t>(std::clamp(i - 128, 0, 255));
        return t;
    }();
    const std::vector<std::uint8_t>& picture = seen();
    const auto& tb = m_tables[0];
    const auto& tg = m_tables[1];
    const auto& tr = m_tables[2];
    std::size_t k = static_cast<std::size_t>(frameNumber * 40503u) & (kNoiseSize - 1);
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* src = &picture[y * rowBytes];
        std::uint8_t* dst = destination + static_cast<std::size_t>(y) * stride;
        if (!noise && m_identity) {
            std::memcpy(dst, src, rowBytes);
            continue;
        }
        if (m_identity) {
            // Grain alone: byte plus noise, clamped, over runs up to the noise table's end.
            for (std::size_t i = 0; i < rowBytes;) {
                const std::size_t bytes = std::min(rowBytes - i, (kNoiseSize - k) * 3);
                AddGrain(src + i, dst + i, m_noiseBytes.data() + 3 * k, bytes);
                k = (k + bytes / 3) & (kNoiseSize - 1);
                i += bytes;
            }
            continue;
        }
        // One noise value per pixel, the same in its three bytes: grain, not colour specks.
        for (std::size_t i = 0; i < rowBytes; i += 3) {
            const int n = (noise ? m_noise[k] : 0) + 128;
            k = (k + 1) & (kNoiseSize - 1);
            dst[i] = kClamp[tb[src[i]] + n];
            dst[i + 1] = kClamp[tg[src[i + 1]] + n];
            dst[i + 2] = kClamp[tr[src[i + 2]] + n];
        }
    }
    return true;
}
