#include "model/measure_chain.h"

#include "platform/clock.h"
#include "platform/node_id.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

MEASURE Line(DPOINT a, DPOINT b) {
    MEASURE m;
    m.kind = -MeasureKind::Line;
    m.pointCount = 2;
    const DPOINT pts[] = {a, b};
    m.points.Write(0, pts, 2);
    return m;
}

} // namespace

TEST(CMeasureChain, AddNodeStoresAFreshCopy) {
    MEASURE m = Line({1, 2}, {3, 4});
    m.id = 1234;
    m.index = 9;
    m.selected = 1;
    m.unit = 2;
    m.value = {1.5, 2.5, 3.5, 4.5, 0};
    m.center = {DPOINT{5, 6}, DPOINT{7, 8}};
    m.radius = {9, 10};
    m.labelOffset[1] = {11, -12};
    m.labelText[0] = "1.50um";
    m.points.Grow(1, m.points.size()); // a spare element beyond pointCount is copied too

    CMeasureChain chain;
    ASSERT_EQ(chain.AddNode(&m), 1);
    MEASURE* n = chain.current;
    ASSERT_NE(n, nullptr);
    ASSERT_NE(n, &m);

    EXPECT_EQ(n->selected, 0);
    EXPECT_EQ(n->index, 0);
    EXPECT_EQ(n->kind, m.kind);
    EXPECT_EQ(n->pointCount, 2);
    EXPECT_EQ(n->points, m.points);
    EXPECT_EQ(n->points.size(), 3);
    EXPECT_NE(n->points.data(), m.points.data());
    EXPECT_EQ(n->unit, 2);
    EXPECT_EQ(n->value, m.value);
    EXPECT_EQ(n->center, m.center);
    EXPECT_EQ(n->radius, m.radius);
    EXPECT_EQ(n->labelOffset, m.labelOffset);
    for (const std::string& t : n->labelText)
        EXPECT_TRUE(t.empty());

    // The caller's record stays its own, untouched.
    m.points[0] = DPOINT{100, 100};
    EXPECT_EQ(n->points[0], (DPOINT{1, 2}));
    EXPECT_EQ(m.selected, 1);
    EXPECT_EQ(m.labelText[0], "1.50um");
    EXPECT_EQ(m.id, 1234);
}

TEST(CMeasureChain, AddNodeWithoutPointsGivesAnEmptyArray) {
    MEASURE m;
    m.kind = -MeasureKind::Aria;
    CMeasureChain chain;
    ASSERT_EQ(chain.AddNode(&m), 1);
    EXPECT_EQ(chain.current->points.size(), 0);
    EXPECT_EQ(chain.current->points.data(), nullptr);
}

TEST(CMeasureChain, AddNodeAppendsAfterTheLastNodeAndIgnoresNull) {
    CMeasureChain chain;
    MEASURE a = Line({0, 0}, {1, 1});
    MEASURE b = Line({2, 2}, {3, 3});
    chain.AddNode(&a);
    chain.AddNode(&a);
    chain.MoveFirst();
    ASSERT_EQ(chain.AddNode(&b), 1);
    EXPECT_EQ(chain.count, 3);
    EXPECT_EQ(chain.current->next, nullptr);
    EXPECT_EQ(chain.current->points[0], (DPOINT{2, 2}));

    EXPECT_EQ(chain.AddNode(nullptr), 0);
    EXPECT_EQ(chain.count, 3);
}

TEST(CMeasureChain, IdIsTickCountTimesRand) {
    ManualClock clock(0x12345);
    Clock::install(&clock);
    std::srand(77);
    const int r = std::rand();
    std::srand(77);

    MEASURE m = Line({0, 0}, {1, 0});
    CMeasureChain chain;
    chain.AddNode(&m);
    Clock::install(nullptr);

    EXPECT_EQ(chain.current->id, MakeNodeId(0x12345u, static_cast<std::uint32_t>(r)));
}

TEST(CMeasureChain, FindAndRemoveById) {
    CMeasureChain chain;
    MEASURE m = Line({0, 0}, {1, 0});
    for (int i = 0; i < 4; ++i)
        chain.AddNode(&m);
    // Give known ids, two of them equal.
    const std::int32_t ids[] = {10, 20, 10, 30};
    MEASURE* nodes[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(chain.MoveTo(i), 1);
        nodes[i] = chain.current;
        nodes[i]->id = ids[i];
    }

    EXPECT_EQ(chain.FindById(10), nodes[0]);
    EXPECT_EQ(chain.FindById(30), nodes[3]);
    EXPECT_EQ(chain.FindById(99), nullptr);
    EXPECT_EQ(chain.current, nodes[3]) << "a failed search leaves the cursor on the last node";

    EXPECT_EQ(chain.RemoveById(99), 0);
    EXPECT_EQ(chain.count, 4);
    EXPECT_EQ(chain.RemoveById(10), 1); // the first of the two
    EXPECT_EQ(chain.count, 3);
    EXPECT_EQ(chain.current, nodes[1]);
    EXPECT_EQ(chain.FindById(10), nodes[2]);
}
