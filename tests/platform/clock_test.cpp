#include "platform/clock.h"
#include "platform/node_id.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

TEST(Clock, InstalledManualClockDrivesTheTickCount) {
    ManualClock manual(1000);
    Clock::install(&manual);
    EXPECT_EQ(GetTickCount(), 1000u);
    manual.advance(500);
    EXPECT_EQ(GetTickCount(), 1500u);
    manual.set(0xFFFFFFF0u);
    manual.advance(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u); // wraps like a 32-bit tick count
    Clock::install(nullptr);
    EXPECT_NE(&Clock::current(), &manual);
}

TEST(NodeId, TickTimesRandomWrapsAt32Bits) {
    EXPECT_EQ(MakeNodeId(1000, 7), 7000);
    EXPECT_EQ(MakeNodeId(0x10000, 0x10000), 0);
    EXPECT_EQ(MakeNodeId(0x10001, 0x10000), 0x10000);
    EXPECT_EQ(MakeNodeId(2, 0x40000000), INT_MIN);
    EXPECT_EQ(MakeNodeId(0xFFFFFFFFu, 1), -1);
    EXPECT_EQ(MakeNodeId(0, 12345), 0);

    ManualClock manual(0x12345);
    Clock::install(&manual);
    std::srand(42);
    const std::int32_t id = MakeNodeId();
    Clock::install(nullptr);
    std::srand(42);
    EXPECT_EQ(id, MakeNodeId(0x12345, static_cast<std::uint32_t>(std::rand())));
}

} // namespace
