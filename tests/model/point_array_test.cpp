#include "model/point_array.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CPointArray Make(std::vector<DPOINT> pts) {
    CPointArray a;
    EXPECT_TRUE(a.Write(0, pts.data(), static_cast<std::int32_t>(pts.size())));
    return a;
}

std::vector<DPOINT> Contents(const CPointArray& a) { return std::vector<DPOINT>(a.begin(), a.end()); }

const DPOINT A{1, 2}, B{3, 4}, C{5, 6}, D{7, 8}, Z{0, 0};

} // namespace

TEST(CPointArray, Grow) {
    struct Case {
        const char* name;
        std::vector<DPOINT> start;
        std::int32_t n, keep;
        bool ok;
        std::vector<DPOINT> after;
    };
    const std::vector<Case> cases = {
        {"empty, grow 3", {}, 3, 0, true, {Z, Z, Z}},
        {"keep all", {A, B}, 2, 2, true, {A, B, Z, Z}},
        {"keep fewer zeroes the rest", {A, B}, 1, 1, true, {A, Z, Z}},
        {"grow by 0 keeps", {A, B}, 0, 2, true, {A, B}},
        {"keep beyond size", {A, B}, 1, 3, false, {A, B}},
        {"negative keep", {A, B}, 1, -1, false, {A, B}},
        {"negative n", {A, B}, -1, 2, false, {A, B}},
        {"past the size limit", {A, B}, CPointArray::kMaxSize - 1, 2, false, {A, B}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        CPointArray a = tc.start.empty() ? CPointArray{} : Make(tc.start);
        EXPECT_EQ(a.Grow(tc.n, tc.keep), tc.ok);
        EXPECT_EQ(a.size(), static_cast<std::int32_t>(tc.after.size()));
        EXPECT_EQ(Contents(a), tc.after);
    }
}

TEST(CPointArray, Write) {
    const std::vector<DPOINT> src{C, D};
    struct Case {
        const char* name;
        std::vector<DPOINT> start;
        std::int32_t i;
        const DPOINT* from;
        std::int32_t len;
        bool ok;
        std::vector<DPOINT> after;
    };
    const std::vector<Case> cases = {
        {"into empty", {}, 0, src.data(), 2, true, {C, D}},
        {"fits", {A, B, A}, 1, src.data(), 2, true, {A, C, D}},
        {"grows by the overhang", {A, B}, 1, src.data(), 2, true, {A, C, D}},
        {"past the end zero-fills the gap", {A}, 3, src.data(), 1, true, {A, Z, Z, C}},
        {"nothing to write", {A}, 5, nullptr, 0, true, {A}},
        {"negative index", {A}, -1, src.data(), 1, false, {A}},
        {"negative length", {A}, 0, src.data(), -1, false, {A}},
        {"null source", {A}, 0, nullptr, 1, false, {A}},
        {"past the size limit", {A}, CPointArray::kMaxSize, src.data(), 1, false, {A}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        CPointArray a = tc.start.empty() ? CPointArray{} : Make(tc.start);
        EXPECT_EQ(a.Write(tc.i, tc.from, tc.len), tc.ok);
        EXPECT_EQ(Contents(a), tc.after);
    }
}

TEST(CPointArray, WriteFromItselfWithAndWithoutGrowing) {
    CPointArray grows = Make({A, B, C});
    ASSERT_TRUE(grows.Write(1, grows.data(), 3)); // the source block is replaced while copying
    EXPECT_EQ(Contents(grows), (std::vector<DPOINT>{A, A, B, C}));

    CPointArray overlaps = Make({A, B, C, D});
    ASSERT_TRUE(overlaps.Write(1, overlaps.data(), 3));
    EXPECT_EQ(Contents(overlaps), (std::vector<DPOINT>{A, A, B, C}));
}

TEST(CPointArray, ClearAndDeepCopy) {
    CPointArray a = Make({A, B});
    CPointArray copy = a;
    a[0] = D;
    EXPECT_EQ(copy[0], A);
    EXPECT_NE(copy.data(), a.data());

    a.Clear();
    EXPECT_EQ(a.size(), 0);
    EXPECT_EQ(a.data(), nullptr);
    EXPECT_TRUE(a.Grow(1, 0));
    EXPECT_EQ(Contents(a), std::vector<DPOINT>{Z});
}
