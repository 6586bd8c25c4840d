#include "capture/capture_format.h"

#include "capture/media_subtype.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Kind = FormatChoice::Kind;

CaptureFormat Format(int w, int h, const GUID& subtype, std::vector<FrameRate> rates) {
    CaptureFormat f;
    f.width = w;
    f.height = h;
    f.subtype = subtype;
    f.rates = std::move(rates);
    return f;
}

FormatRequest Request(int w, int h, std::int64_t interval, const GUID& subtype) {
    FormatRequest r;
    r.width = w;
    r.height = h;
    r.frameInterval = interval;
    r.subtype = subtype;
    return r;
}

// A typical USB microscope: raw YUY2 at small sizes, MJPG at all sizes.
std::vector<CaptureFormat> Microscope() {
    return {
        Format(640, 480, MEDIASUBTYPE_YUY2, {{30, 1}, {15, 1}}),
        Format(1280, 1024, MEDIASUBTYPE_YUY2, {{15, 2}, {5, 1}}),
        Format(640, 480, MEDIASUBTYPE_MJPG, {{30, 1}}),
        Format(1280, 1024, MEDIASUBTYPE_MJPG, {{30, 1}, {15, 1}}),
        Format(1280, 1024, FourCcSubtype('H', '2', '6', '4'), {{30, 1}}),
    };
}

TEST(CaptureFormat, IntervalsAndRates) {
    EXPECT_EQ(IntervalOfRate({30, 1}), 333333);
    EXPECT_EQ(IntervalOfRate({15, 2}), 1333333);
    EXPECT_EQ(IntervalOfRate({30000, 1001}), 333666);
    EXPECT_EQ(IntervalOfRate({15, 1}), 666666);
    EXPECT_EQ(IntervalOfRate({}), 0);
    EXPECT_EQ(RateOfInterval(333333), (FrameRate{10000000, 333333}));
    EXPECT_EQ(RateOfInterval(666666), (FrameRate{5000000, 333333}));
    EXPECT_EQ(RateOfInterval(1000000), (FrameRate{10, 1}));
    EXPECT_FALSE(RateOfInterval(0).isSet());
    EXPECT_FALSE(RateOfInterval(-5).isSet());
    EXPECT_NEAR(RateOfInterval(333333).perSecond(), 30.0, 0.001);
}

TEST(CaptureFormat, NearestRateFromAListOrARange) {
    const CaptureFormat listed = Format(640, 480, MEDIASUBTYPE_YUY2, {{30, 1}, {15, 1}, {5, 1}});
    EXPECT_EQ(NearestRate(listed, 333333), (FrameRate{30, 1}));
    EXPECT_EQ(NearestRate(listed, 666666), (FrameRate{15, 1}));
    EXPECT_EQ(NearestRate(listed, 1500000), (FrameRate{5, 1})); // 6.7 fps lies nearer 5 than 15
    EXPECT_EQ(NearestRate(listed, 0), (FrameRate{30, 1}));
    EXPECT_EQ(HighestRate(listed), (FrameRate{30, 1}));

    CaptureFormat range = Format(640, 480, MEDIASUBTYPE_YUY2, {});
    range.minRate = {1, 1};
    range.maxRate = {60, 1};
    EXPECT_EQ(NearestRate(range, 1000000), (FrameRate{10, 1}));
    EXPECT_EQ(NearestRate(range, 100000), (FrameRate{60, 1}));
    EXPECT_EQ(NearestRate(range, 20000000), (FrameRate{1, 1}));
    EXPECT_FALSE(NearestRate(Format(640, 480, MEDIASUBTYPE_YUY2, {}), 333333).isSet());
}

TEST(CaptureFormat, ExactSizeAndSubtypeIsUsedAsTheDeviceStatesIt) {
    const auto formats = Microscope();
    FormatChoice c = ChooseFormat(formats, Request(1280, 1024, 666666, MEDIASUBTYPE_MJPG));
    EXPECT_EQ(c.kind, Kind::Exact);
    EXPECT_EQ(c.subtype, MEDIASUBTYPE_MJPG);
    EXPECT_EQ(c.width, 1280);
    EXPECT_EQ(c.rate, (FrameRate{15, 1}));
    EXPECT_EQ(CapsForChoice(c), "image/jpeg,width=1280,height=1024,framerate=15/1");

    // Of several formats with the same size and subtype, the last one is in force.
    std::vector<CaptureFormat> twice = {Format(800, 600, MEDIASUBTYPE_RGB24, {{30, 1}}),
                                        Format(800, 600, MEDIASUBTYPE_RGB24, {{20, 1}})};
    c = ChooseFormat(twice, Request(800, 600, 333333, MEDIASUBTYPE_RGB24));
    EXPECT_EQ(c.kind, Kind::Exact);
    EXPECT_EQ(c.rate, (FrameRate{20, 1}));
    EXPECT_EQ(CapsForChoice(c), "video/x-raw,format=BGR,width=800,height=600,framerate=20/1");
}

TEST(CaptureFormat, AnySubtypeTakesTheRequestedSizeAtTheNearestRate) {
    const auto formats = Microscope();
    // YUY2 offers 1280 x 1024 only at 7.5 and 5 frames/s; MJPG gives the 30 asked for.
    FormatChoice c = ChooseFormat(formats, Request(1280, 1024, 333333, MEDIASUBTYPE_None));
    EXPECT_EQ(c.kind, Kind::Requested);
    EXPECT_EQ(c.subtype, MEDIASUBTYPE_MJPG);
    EXPECT_EQ(c.rate, (FrameRate{30, 1}));
    // Equal rates: the device's first format wins.
    c = ChooseFormat(formats, Request(640, 480, 333333, MEDIASUBTYPE_None));
    EXPECT_EQ(c.subtype, MEDIASUBTYPE_YUY2);
    EXPECT_EQ(CapsForChoice(c), "video/x-raw,format=YUY2,width=640,height=480,framerate=30/1");
    // An unknown GUID counts as "any".
    c = ChooseFormat(formats, Request(640, 480, 333333, GUID{1, 2, 3, {}}));
    EXPECT_EQ(c.kind, Kind::Requested);
}

TEST(CaptureFormat, ASizeTheDeviceLacksGivesItsNearestSize) {
    const auto formats = Microscope();
    FormatChoice c = ChooseFormat(formats, Request(1280, 960, 333333, MEDIASUBTYPE_YUY2));
    EXPECT_EQ(c.kind, Kind::Nearest);
    EXPECT_EQ(c.subtype, MEDIASUBTYPE_YUY2);
    EXPECT_EQ(c.width, 1280);
    EXPECT_EQ(c.height, 1024);
    EXPECT_EQ(c.rate, (FrameRate{15, 2}));
    // A subtype the device lacks: the nearest size in any convertible subtype; the
    // unconvertible H264 format is never chosen.
    c = ChooseFormat(formats, Request(1280, 1024, 333333, MEDIASUBTYPE_NV12));
    EXPECT_EQ(c.kind, Kind::Nearest);
    EXPECT_EQ(c.subtype, MEDIASUBTYPE_YUY2);
    EXPECT_EQ(c.width, 1280);
    const std::vector<CaptureFormat> h264Only = {Format(1280, 1024, FourCcSubtype('H', '2', '6', '4'), {{30, 1}})};
    c = ChooseFormat(h264Only, Request(1280, 1024, 333333, MEDIASUBTYPE_None));
    EXPECT_EQ(c.kind, Kind::Open);
}

TEST(CaptureFormat, NothingKnownAsksForTheSubtypeAlone) {
    FormatChoice c = ChooseFormat({}, Request(1280, 1024, 333333, MEDIASUBTYPE_YUY2));
    EXPECT_EQ(c.kind, Kind::Open);
    EXPECT_EQ(CapsForChoice(c), "video/x-raw,format=YUY2");
    c = ChooseFormat({}, Request(1280, 1024, 333333, MEDIASUBTYPE_None));
    EXPECT_EQ(CapsForChoice(c), "video/x-raw");
}

TEST(CaptureFormat, RowsOfTheFormatWindow) {
    CaptureFormat range = Format(320, 240, MEDIASUBTYPE_GREY, {});
    range.minRate = {1, 1};
    range.maxRate = {90, 1};
    const std::vector<CaptureFormat> formats = {Format(640, 480, MEDIASUBTYPE_YUY2, {{30, 1}, {15, 1}}),
                                                range};
    const auto rows = FormatRows(formats);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].rate, (FrameRate{15, 1}));
    EXPECT_EQ(rows[2].rate, (FrameRate{90, 1}));
    EXPECT_EQ(rows[3].rate, (FrameRate{1, 1}));
    EXPECT_EQ(rows[3].subtype, MEDIASUBTYPE_GREY);
}

} // namespace
