#pragma once
// Shared helpers for the picture-file tests: a scratch folder, whole-file byte access,
// deterministic pictures and pixel comparison.
#include "images/dib_image.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace codec_test {

class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "mirelta-codec-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool ok() const { return !m_path.empty(); }
    std::string path(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// A deterministic picture with content a camera might deliver: smooth gradients,
// hard-edged shapes and a little noise. 8-bit pictures get a grey version.
inline CDibImage MakeTestPicture(int width, int height, int bitCount = 24) {
    CDibImage image;
    image.create(width, height, bitCount);
    std::uint32_t seed = 12345;
    const int bpp = bitCount / 8;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 28) - 8;
            int r = 40 + 160 * x / width;
            int g = 30 + 180 * y / height;
            int b = 200 - 150 * (x + y) / (width + height);
            const int dx = x - width / 3, dy = y - height / 2;
            if (dx * dx + dy * dy < (height / 4) * (height / 4))
                r = 230, g = 60, b = 40; // a disc
            if (x > width * 2 / 3 && x < width * 5 / 6 && y > height / 5 && y < height * 4 / 5)
                r = 20, g = 20, b = 25; // a dark bar
            auto clamp = [](int v) {
                return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
            };
            const std::uint8_t R = clamp(r + noise), G = clamp(g + noise), B = clamp(b + noise);
            std::uint8_t* p = row + static_cast<std::size_t>(x) * bpp;
            if (bpp == 1) {
                p[0] = static_cast<std::uint8_t>((R * 30 + G * 59 + B * 11) / 100);
            } else if (bpp == 2) {
                const int word = ((R * 30 + G * 59 + B * 11) / 100) << 2 | (x & 3);
                p[0] = static_cast<std::uint8_t>(word & 0xFF);
                p[1] = static_cast<std::uint8_t>(word >> 8);
            } else {
                p[0] = B;
                p[1] = G;
                p[2] = R;
                if (bpp == 4)
                    p[3] = static_cast<std::uint8_t>(x * 7 + y);
            }
        }
    }
    return image;
}

// Same size, format and pixels (padding bytes are not compared).
inline bool SamePixels(const CDibImage& a, const CDibImage& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.bitCount() != b.bitCount())
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(a.width()) * a.bytesPerPixel();
    for (int y = 0; y < a.height(); ++y) {
        if (!std::equal(a.scanLine(y), a.scanLine(y) + rowBytes, b.scanLine(y)))
            return false;
    }
    return true;
}

// B, G, R of the pixel at (x, y), picture coordinates.
struct Bgr {
    int b, g, r;
};
inline Bgr PixelAt(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + static_cast<std::size_t>(x) * image.bytesPerPixel();
    return {p[0], p[1], p[2]};
}

// Limits the size of files this process may write, so that writes fail part-way
// like on a full disk, but on a plain file that the test can inspect afterwards.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return m_ok; }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

} // namespace codec_test
