#include "model/ctchain.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A record that owns memory and counts its live instances, so copies and
// frees by the chain can be checked.
struct Rec {
    std::int32_t id = 0;
    std::int32_t index = 0;
    Rec* prev = nullptr;
    Rec* next = nullptr;
    std::vector<int> payload;

    static inline int live = 0;

    explicit Rec(std::int32_t i = 0, std::vector<int> p = {}) : id(i), payload(std::move(p)) { ++live; }
    Rec(const Rec& o) : id(o.id), index(o.index), prev(o.prev), next(o.next), payload(o.payload) { ++live; }
    Rec& operator=(const Rec&) = delete;
    ~Rec() { --live; }
};

using Chain = CTChain<Rec>;

// Ids from the first node to the last, checking the links and the count on the way.
std::vector<int> Ids(const Chain& c) {
    std::vector<int> ids;
    if (c.current == nullptr) {
        EXPECT_EQ(c.count, 0);
        return ids;
    }
    const Rec* n = c.current;
    while (n->prev != nullptr)
        n = n->prev;
    for (; n != nullptr; n = n->next) {
        if (n->next != nullptr) {
            EXPECT_EQ(n->next->prev, n) << "broken back link after id " << n->id;
        }
        ids.push_back(n->id);
    }
    EXPECT_EQ(static_cast<int>(ids.size()), c.count);
    return ids;
}

void Fill(Chain& c, std::initializer_list<int> ids) {
    for (int id : ids)
        ASSERT_EQ(c.AddNode(new Rec(id)), 1);
}

int CursorId(const Chain& c) { return c.current == nullptr ? -1 : c.current->id; }

struct CursorCase {
    const char* name;
    std::vector<int> start;      // ids added in order; the cursor is then on the last
    std::function<int(Chain&)> op;
    int result;
    int cursor;                  // id under the cursor afterwards, -1 for null
    std::vector<int> after;      // ids afterwards
};

} // namespace

TEST(CTChain, CursorContract) {
    const std::vector<int> three{10, 20, 30};
    const std::vector<CursorCase> cases = {
        {"empty MoveFirst", {}, [](Chain& c) { return c.MoveFirst(); }, 0, -1, {}},
        {"empty MoveLast", {}, [](Chain& c) { return c.MoveLast(); }, 0, -1, {}},
        {"empty MoveTo(0)", {}, [](Chain& c) { return c.MoveTo(0); }, 0, -1, {}},
        {"empty MoveToId", {}, [](Chain& c) { return c.MoveToId(10); }, 0, -1, {}},
        {"empty RemoveCurrent", {}, [](Chain& c) { return c.RemoveCurrent(); }, 0, -1, {}},
        {"empty Renumber", {}, [](Chain& c) { return c.Renumber(); }, 0, -1, {}},
        {"empty AddNode(null)", {}, [](Chain& c) { return c.AddNode(nullptr); }, 0, -1, {}},
        {"empty InsertNode", {}, [](Chain& c) { return c.InsertNode(new Rec(5)); }, 1, 5, {5}},
        {"one RemoveCurrent", {10}, [](Chain& c) { return c.RemoveCurrent(); }, 1, -1, {}},
        {"one MoveTo(0)", {10}, [](Chain& c) { return c.MoveTo(0); }, 1, 10, {10}},
        {"one MoveTo(count)", {10}, [](Chain& c) { return c.MoveTo(1); }, 0, 10, {10}},
        {"MoveFirst", three, [](Chain& c) { return c.MoveFirst(); }, 1, 10, three},
        {"MoveLast from first",
         three, [](Chain& c) { c.MoveFirst(); return c.MoveLast(); }, 1, 30, three},
        {"MoveTo(1)", three, [](Chain& c) { return c.MoveTo(1); }, 1, 20, three},
        {"MoveTo(count - 1)", three, [](Chain& c) { return c.MoveTo(2); }, 1, 30, three},
        {"MoveTo(count)", three, [](Chain& c) { c.MoveFirst(); return c.MoveTo(3); }, 0, 30, three},
        {"MoveTo(-1)", three, [](Chain& c) { c.MoveFirst(); return c.MoveTo(-1); }, 0, 30, three},
        {"MoveToId found", three, [](Chain& c) { return c.MoveToId(20); }, 1, 20, three},
        {"MoveToId missing",
         three, [](Chain& c) { c.MoveFirst(); return c.MoveToId(99); }, 0, 30, three},
        {"remove first",
         three, [](Chain& c) { c.MoveFirst(); return c.RemoveCurrent(); }, 1, 20, {20, 30}},
        {"remove middle",
         three, [](Chain& c) { c.MoveTo(1); return c.RemoveCurrent(); }, 1, 30, {10, 30}},
        {"remove last",
         three, [](Chain& c) { c.MoveLast(); return c.RemoveCurrent(); }, 1, 20, {10, 20}},
        {"InsertNode after first",
         three, [](Chain& c) { c.MoveFirst(); return c.InsertNode(new Rec(15)); }, 1, 15,
         {10, 15, 20, 30}},
        {"AddNode appends whatever the cursor",
         three, [](Chain& c) { c.MoveFirst(); return c.AddNode(new Rec(40)); }, 1, 40,
         {10, 20, 30, 40}},
        {"AddRecord appends",
         three, [](Chain& c) { c.MoveTo(1); return c.AddRecord(Rec(41)); }, 1, 41,
         {10, 20, 30, 41}},
        {"InsertRecord after cursor",
         three, [](Chain& c) { c.MoveTo(1); return c.InsertRecord(Rec(25)); }, 1, 25,
         {10, 20, 25, 30}},
        {"AddNode(null) changes nothing",
         three, [](Chain& c) { c.MoveFirst(); return c.AddNode(nullptr); }, 0, 30, three},
        {"InsertNode(null) changes nothing",
         three, [](Chain& c) { c.MoveFirst(); return c.InsertNode(nullptr); }, 0, 10, three},
    };
    for (const CursorCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        Chain c;
        for (int id : tc.start)
            c.AddNode(new Rec(id));
        EXPECT_EQ(tc.op(c), tc.result);
        EXPECT_EQ(CursorId(c), tc.cursor);
        EXPECT_EQ(Ids(c), tc.after);
        EXPECT_EQ(c.GetCount(), static_cast<int>(tc.after.size()));
    }
    EXPECT_EQ(Rec::live, 0) << "nodes leaked or freed twice";
}

TEST(CTChain, RemovingEveryNodeFromTheMiddleOutKeepsTheLinks) {
    Chain c;
    Fill(c, {1, 2, 3, 4, 5});
    std::vector<int> expectCursor{4, 5, 2, 1, -1}; // remove 3, 4, 5, then 2, then 1
    c.MoveTo(2);
    for (int expected : expectCursor) {
        ASSERT_EQ(c.RemoveCurrent(), 1);
        EXPECT_EQ(CursorId(c), expected);
        Ids(c);
    }
    EXPECT_EQ(c.count, 0);
    EXPECT_EQ(c.RemoveCurrent(), 0);
}

TEST(CTChain, RenumberWritesPositionsAndKeepsTheCursor) {
    Chain c;
    Fill(c, {7, 8, 9, 10});
    c.MoveTo(2);
    Rec* before = c.current;
    ASSERT_EQ(c.Renumber(), 1);
    EXPECT_EQ(c.current, before);
    EXPECT_EQ(c.current->index, 2);
    c.MoveFirst();
    int expected = 0;
    for (Rec* n = c.current; n != nullptr; n = n->next)
        EXPECT_EQ(n->index, expected++);
}

TEST(CTChain, DuplicateIdsAreFoundNearestTheFirstNode) {
    Chain c;
    c.AddNode(new Rec(5, {1}));
    c.AddNode(new Rec(7, {2}));
    c.AddNode(new Rec(7, {3}));
    ASSERT_EQ(c.MoveToId(7), 1);
    EXPECT_EQ(c.current->payload, std::vector<int>{2});
}

TEST(CTChain, RecordCopiesAreDeepAndRelinked) {
    Rec neighbour(99);
    Rec source(3, {1, 2, 3});
    source.prev = &neighbour; // the copy must not keep these
    source.next = &neighbour;
    Chain c;
    ASSERT_EQ(c.AddRecord(source), 1);
    ASSERT_EQ(c.InsertRecord(source), 1);
    source.payload[0] = 100;

    ASSERT_EQ(c.count, 2);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(c.MoveTo(i), 1);
        EXPECT_NE(c.current, &source);
        EXPECT_EQ(c.current->payload, (std::vector<int>{1, 2, 3}));
        EXPECT_NE(c.current->prev, &neighbour);
        EXPECT_NE(c.current->next, &neighbour);
    }
    EXPECT_EQ(Ids(c), (std::vector<int>{3, 3}));
}

TEST(CTChain, DestructorAndRemoveAllFreeEveryNode) {
    const int before = Rec::live;
    {
        Chain c;
        Fill(c, {1, 2, 3});
        c.AddRecord(Rec(4, {1, 2}));
        EXPECT_EQ(Rec::live, before + 4);
        c.MoveTo(1);
        c.RemoveAll();
        EXPECT_EQ(c.current, nullptr);
        EXPECT_EQ(c.count, 0);
        EXPECT_EQ(Rec::live, before);
        Fill(c, {5, 6});
    }
    EXPECT_EQ(Rec::live, before);
}

namespace {
// The append operations go through the virtual insert, so a derived list can
// hook every way a node enters it.
class CountingChain : public Chain {
public:
    int inserts = 0;
    int InsertNode(Rec* node) override {
        ++inserts;
        return Chain::InsertNode(node);
    }
};
} // namespace

TEST(CTChain, AppendsDispatchThroughTheVirtualInsert) {
    CountingChain c;
    Chain& base = c;
    base.AddNode(new Rec(1));
    base.AddRecord(Rec(2));
    base.InsertRecord(Rec(3));
    EXPECT_EQ(c.inserts, 3);
    EXPECT_EQ(Ids(c), (std::vector<int>{1, 2, 3}));
}
