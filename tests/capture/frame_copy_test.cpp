#include "capture/frame_copy.h"
#include "capture/shared_frame.h"

#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

// A top-down frame whose pixel (x, y) holds B = x, G = y, R = tag.
std::vector<std::uint8_t> MakeFrame(int w, int h, int stride, std::uint8_t tag) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stride) * h, 0xEE);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &bytes[static_cast<std::size_t>(y) * stride + x * 3];
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = tag;
        }
    return bytes;
}

struct Pixel {
    int b, g, r;
    bool operator==(const Pixel&) const = default;
};
Pixel At(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + x * 3;
    return {p[0], p[1], p[2]};
}

CDibImage White(int w, int h) {
    CDibImage image;
    image.create(w, h, 24);
    image.fillRect(RGB(255, 255, 255));
    return image;
}

TEST(FrameCopy, TopDownRowsLandBottomUp) {
    const auto bytes = MakeFrame(5, 4, 16, 7); // 15 bytes of pixels and 1 of padding per row
    CDibImage image = White(5, 4);
    EXPECT_EQ(CopyFrameBottomUp({bytes.data(), bytes.size(), 5, 4, 16}, image), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(At(image, x, y), (Pixel{x, y, 7})) << x << "," << y;
    // The frame's first row is the image's last memory row.
    EXPECT_EQ(image.memoryRow(3)[1], 0);
    EXPECT_EQ(image.memoryRow(0)[1], 3);
}

TEST(FrameCopy, CopiesNoMoreThanBothSizesAllow) {
    // A frame smaller than the image: its pixels at the top-left, the rest untouched.
    auto small = MakeFrame(3, 2, 9, 1);
    CDibImage image = White(5, 4);
    EXPECT_EQ(CopyFrameBottomUp({small.data(), small.size(), 3, 2, 9}, image), 2);
    EXPECT_EQ(At(image, 2, 1), (Pixel{2, 1, 1}));
    EXPECT_EQ(At(image, 3, 1), (Pixel{255, 255, 255}));
    EXPECT_EQ(At(image, 0, 2), (Pixel{255, 255, 255}));

    // A frame larger than the image: cut to the image.
    auto large = MakeFrame(8, 6, 24, 2);
    image = White(5, 4);
    EXPECT_EQ(CopyFrameBottomUp({large.data(), large.size(), 8, 6, 24}, image), 4);
    EXPECT_EQ(At(image, 4, 3), (Pixel{4, 3, 2}));

    // Fewer bytes than the frame claims: only the rows present; the last row may lack
    // its padding.
    auto shortData = MakeFrame(5, 4, 16, 3);
    image = White(5, 4);
    EXPECT_EQ(CopyFrameBottomUp({shortData.data(), 16 * 2 + 15, 5, 4, 16}, image), 3);
    EXPECT_EQ(At(image, 4, 2), (Pixel{4, 2, 3}));
    EXPECT_EQ(At(image, 0, 3), (Pixel{255, 255, 255}));
    EXPECT_EQ(CopyFrameBottomUp({shortData.data(), 14, 5, 4, 16}, image), 0);

    // A stride shorter than the stated width: only what one row holds.
    image = White(5, 4);
    EXPECT_EQ(CopyFrameBottomUp({shortData.data(), shortData.size(), 5, 4, 6}, image), 4);
    EXPECT_EQ(At(image, 2, 0), (Pixel{255, 255, 255}));
}

TEST(FrameCopy, RefusesWhatCannotBeCopied) {
    const auto bytes = MakeFrame(4, 4, 12, 0);
    CDibImage grey;
    grey.create(4, 4, 8);
    EXPECT_EQ(CopyFrameBottomUp({bytes.data(), bytes.size(), 4, 4, 12}, grey), 0);
    CDibImage none;
    EXPECT_EQ(CopyFrameBottomUp({bytes.data(), bytes.size(), 4, 4, 12}, none), 0);
    CDibImage image = White(4, 4);
    EXPECT_EQ(CopyFrameBottomUp({nullptr, 100, 4, 4, 12}, image), 0);
    EXPECT_EQ(CopyFrameBottomUp({bytes.data(), bytes.size(), 0, 4, 12}, image), 0);
    EXPECT_EQ(CopyFrameBottomUp({bytes.data(), bytes.size(), 4, -1, 12}, image), 0);
    EXPECT_EQ(CopyFrameBottomUp({bytes.data(), bytes.size(), 4, 4, 0}, image), 0);
    EXPECT_EQ(At(image, 0, 0), (Pixel{255, 255, 255}));
}

TEST(SharedFrame, OneNotificationOutstandingAtATime) {
    SharedFrame frame;
    ASSERT_EQ(frame.create(4, 2), 1);
    EXPECT_EQ(frame.byteSize(), 24u);
    const auto bytes = MakeFrame(4, 2, 12, 9);
    EXPECT_TRUE(frame.write({bytes.data(), bytes.size(), 4, 2, 12}));
    EXPECT_FALSE(frame.write({bytes.data(), bytes.size(), 4, 2, 12}));
    EXPECT_FALSE(frame.write({bytes.data(), bytes.size(), 4, 2, 12}));
    const Pixel p = frame.read([](const CDibImage& image) { return At(image, 3, 1); });
    EXPECT_EQ(p, (Pixel{3, 1, 9}));
    EXPECT_TRUE(frame.write({bytes.data(), bytes.size(), 4, 2, 12}));
    frame.cancelPending();
    EXPECT_TRUE(frame.write({bytes.data(), bytes.size(), 4, 2, 12}));
    const SharedFrame::Counters c = frame.counters();
    EXPECT_EQ(c.offered, 5u);
    EXPECT_EQ(c.posted, 3u);
    EXPECT_EQ(c.merged, 2u);
    // Recreating it for the next camera starts white, with nothing outstanding.
    ASSERT_EQ(frame.create(2, 2), 1);
    EXPECT_EQ(frame.read([](const CDibImage& image) { return At(image, 1, 1); }), (Pixel{255, 255, 255}));
    EXPECT_TRUE(frame.write({bytes.data(), bytes.size(), 4, 2, 12}));
}

TEST(SharedFrame, TheReaderNeverSeesTwoFramesAtOnce) {
    // A writer thread fills every pixel of each frame with the frame's number; the reader
    // checks that each picture it reads holds a single number.
    constexpr int kW = 320, kH = 240, kStride = kW * 3;
    SharedFrame frame;
    ASSERT_EQ(frame.create(kW, kH), 1);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kStride) * kH);
        for (std::uint8_t n = 0; !stop.load(); ++n) {
            std::fill(bytes.begin(), bytes.end(), n);
            frame.write({bytes.data(), bytes.size(), kW, kH, kStride});
        }
    });
    int torn = 0;
    for (int i = 0; i < 300; ++i)
        frame.read([&](const CDibImage& image) {
            const std::uint8_t first = image.memoryRow(0)[0];
            for (int r = 0; r < kH; ++r) {
                const std::uint8_t* row = image.memoryRow(r);
                for (int x = 0; x < kStride; ++x)
                    if (row[x] != first) {
                        ++torn;
                        return;
                    }
            }
        });
    stop = true;
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(frame.counters().offered, 0u);
}

} // namespace
