#include "capture/uvc_xu_transport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <vector>

namespace {

using Block = UvcXuTransport::Block;

// A recording stand-in for UVCIOC_CTRL_QUERY: keeps every request with the bytes it
// carried, answers the status block with s9 = 0xA5, s10 = 0x5A and the value get with
// `answer`, and fails requests with the errors queued in `errors` (0 = succeed).
struct FakeXu {
    struct Call {
        std::uint8_t unit, selector, query;
        std::uint16_t size;
        Block bytes;
    };
    std::vector<Call> calls;
    std::deque<int> errors;
    Block answer{};
    unsigned long lastRequest = 0;

    int operator()(int, unsigned long request, void* arg) {
        lastRequest = request;
        auto* q = static_cast<uvc_xu_control_query*>(arg);
        Call c{q->unit, q->selector, q->query, q->size, {}};
        std::memcpy(c.bytes.data(), q->data, std::min<std::size_t>(q->size, c.bytes.size()));
        calls.push_back(c);
        if (!errors.empty()) {
            const int e = errors.front();
            errors.pop_front();
            if (e != 0) {
                errno = e;
                return -1;
            }
        }
        if (q->query == UVC_GET_CUR) {
            Block reply{};
            if (q->selector == UvcXuTransport::kStatusSelector) {
                reply[9] = 0xA5;
                reply[10] = 0x5A;
            } else {
                reply = answer;
            }
            std::memcpy(q->data, reply.data(), reply.size());
        }
        return 0;
    }
};

struct Expected {
    std::uint8_t selector, query;
    Block bytes;
};

void ExpectCalls(const FakeXu& fake, const std::vector<Expected>& expected) {
    ASSERT_EQ(fake.calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fake.calls[i].unit, 4);
        EXPECT_EQ(fake.calls[i].size, 11);
        EXPECT_EQ(fake.calls[i].selector, expected[i].selector);
        EXPECT_EQ(fake.calls[i].query, expected[i].query);
        EXPECT_EQ(fake.calls[i].bytes, expected[i].bytes);
    }
}

constexpr std::uint8_t GET = UVC_GET_CUR;
constexpr std::uint8_t SET = UVC_SET_CUR;

class UvcXuTransportTest : public ::testing::Test {
  protected:
    FakeXu fake;
    UvcXuTransport transport{7, 4, false, [this](int fd, unsigned long r, void* a) {
                                 EXPECT_EQ(fd, 7);
                                 return fake(fd, r, a);
                             }};
};

TEST_F(UvcXuTransportTest, ReadOfOneByteAddressAndTwoByteValueSendsTheWireBlocks) {
    fake.answer = {0x34, 0x12, 0x99};
    std::uint16_t value = 0;
    ASSERT_EQ(transport.read(0x2D, 1, 2, value), TransportResult::Ok);
    EXPECT_EQ(value, 0x1234); // bytes 0 and 1, little-endian
    EXPECT_EQ(fake.lastRequest, UVCIOC_CTRL_QUERY);
    ExpectCalls(fake, {{1, GET, {}},
                       {3, SET, {0, 0xA5, 0x5A}},
                       {3, SET, {1, 1, 5, 0x2D}},
                       {3, SET, {2, 2}},
                       {3, GET, {}}});
}

TEST_F(UvcXuTransportTest, OneByteReadTakesByteZeroAndTwoByteAddressGoesHighByteFirst) {
    fake.answer = {0x77, 0x12};
    std::uint16_t value = 0;
    ASSERT_EQ(transport.read(0x012D, 2, 1, value), TransportResult::Ok);
    EXPECT_EQ(value, 0x77);
    ASSERT_EQ(fake.calls.size(), 5u);
    EXPECT_EQ(fake.calls[2].bytes, (Block{1, 2, 5, 0x01, 0x2D}));
    EXPECT_EQ(fake.calls[3].bytes, (Block{2, 1}));
}

TEST_F(UvcXuTransportTest, ReadWithoutAddressSkipsTheAddressBlock) {
    std::uint16_t value = 0;
    ASSERT_EQ(transport.read(0, 0, 2, value), TransportResult::Ok);
    ExpectCalls(fake, {{1, GET, {}}, {3, SET, {0, 0xA5, 0x5A}}, {3, SET, {2, 2}}, {3, GET, {}}});
}

TEST_F(UvcXuTransportTest, WriteSendsAddressThenDataHighByteFirst) {
    ASSERT_EQ(transport.write(0x2D, 1, 2, 0x1234), TransportResult::Ok);
    ExpectCalls(fake,
                {{1, GET, {}}, {3, SET, {0, 0xA5, 0x5A}}, {3, SET, {1, 3, 3, 0x2D, 0x12, 0x34}}});
    fake.calls.clear();
    ASSERT_EQ(transport.write(0x0106, 2, 1, 0x00AB), TransportResult::Ok);
    ASSERT_EQ(fake.calls.size(), 3u);
    EXPECT_EQ(fake.calls[2].bytes, (Block{1, 3, 3, 0x01, 0x06, 0xAB}));
}

TEST_F(UvcXuTransportTest, LengthsOtherThanOneAndTwoAreRefusedWithoutAnyRequest) {
    std::uint16_t value = 0xBEEF;
    EXPECT_EQ(transport.read(0x2D, 1, 3, value), TransportResult::Failed);
    EXPECT_EQ(transport.write(0x2D, 1, 3, 0x1234), TransportResult::Failed);
    EXPECT_EQ(transport.read(0x2D, 1, 0, value), TransportResult::Failed);
    EXPECT_EQ(transport.write(0x2D, 3, 2, 0x1234), TransportResult::Failed);  // address width
    EXPECT_EQ(transport.write(0x12D, 1, 2, 0x1234), TransportResult::Failed); // beyond one byte
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(value, 0xBEEF);
}

// Which request fails, how, and what the access comes to.
struct RetryCase {
    const char* name;
    std::vector<int> errors; // per request, in order
    TransportResult result;
    std::size_t requests;
};

TEST_F(UvcXuTransportTest, StepsAreTriedThreeTimesAndDeviceErrorsEndTheAccessAtOnce) {
    const RetryCase cases[] = {
        {"status fails twice, then answers", {EPIPE, EPIPE}, TransportResult::Ok, 7},
        {"status fails three times", {EPIPE, EPIPE, EPIPE}, TransportResult::Failed, 3},
        {"reset fails twice", {0, EPIPE, EPIPE}, TransportResult::Ok, 7},
        {"reset fails three times", {0, EPIPE, EPIPE, EPIPE}, TransportResult::Failed, 4},
        {"address fails twice", {0, 0, EPIPE, EPIPE}, TransportResult::Ok, 7},
        {"address fails three times", {0, 0, EPIPE, EPIPE, EPIPE}, TransportResult::Failed, 5},
        {"status I/O error", {EIO}, TransportResult::DeviceError, 1},
        {"reset time-out", {0, ETIMEDOUT}, TransportResult::DeviceError, 2},
        {"address time-out after a retry",
         {0, 0, EPIPE, ETIMEDOUT},
         TransportResult::DeviceError,
         4},
        {"device gone", {ENODEV}, TransportResult::DeviceError, 1},
        {"length block is not retried", {0, 0, 0, EPIPE}, TransportResult::Failed, 4},
        {"value get is not retried", {0, 0, 0, 0, EPIPE}, TransportResult::Failed, 5},
        {"an interrupted request is repeated", {EINTR, EINTR}, TransportResult::Ok, 7},
    };
    for (const RetryCase& c : cases) {
        SCOPED_TRACE(c.name);
        fake.calls.clear();
        fake.errors.assign(c.errors.begin(), c.errors.end());
        std::uint16_t value = 0;
        EXPECT_EQ(transport.read(0x2D, 1, 2, value), c.result);
        EXPECT_EQ(fake.calls.size(), c.requests);
        // Every try sends its block as it was made, zero-filled.
        for (const auto& call : fake.calls) {
            if (call.query == GET) {
                EXPECT_EQ(call.bytes, Block{});
            }
        }
    }
}

TEST_F(UvcXuTransportTest, WriteBlockIsSentOnceAndItsErrorIsTheResult) {
    fake.errors = {0, 0, EPIPE};
    EXPECT_EQ(transport.write(0x2D, 1, 2, 0x1234), TransportResult::Failed);
    EXPECT_EQ(fake.calls.size(), 3u);
    fake.calls.clear();
    fake.errors = {0, 0, EIO};
    EXPECT_EQ(transport.write(0x2D, 1, 2, 0x1234), TransportResult::DeviceError);
    EXPECT_EQ(fake.calls.size(), 3u);
}

TEST_F(UvcXuTransportTest, ProbeIsTheStatusBlock) {
    EXPECT_EQ(transport.probe(), TransportResult::Ok);
    ExpectCalls(fake, {{1, GET, {}}});
}

TEST(UvcXuTransport, ClosedNodeIsADeviceError) {
    UvcXuTransport transport(-1, 4, false, [](int, unsigned long, void*) { return 0; });
    std::uint16_t value = 0;
    EXPECT_EQ(transport.read(0x2D, 1, 2, value), TransportResult::DeviceError);
    EXPECT_EQ(transport.probe(), TransportResult::DeviceError);
}

} // namespace
