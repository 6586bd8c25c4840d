#pragma once
#include "model/dpoint.h"

#include <cstdint>
#include <vector>

// The clicked points of a measurement: a block of DPOINT the record owns.
// Copying the array copies the block. New elements are always zero.
class CPointArray {
public:
    // Far more points than any hand-drawn figure; keeps a bad count from a file
    // or a caller from asking for gigabytes.
    static constexpr std::int32_t kMaxSize = std::int32_t{1} << 24;

    // Number of allocated elements.
    std::int32_t size() const { return static_cast<std::int32_t>(m_points.size()); }
    bool empty() const { return m_points.empty(); }

    // Unchecked element access, 0 <= i < size().
    DPOINT& operator[](std::int32_t i) { return m_points[static_cast<std::size_t>(i)]; }
    const DPOINT& operator[](std::int32_t i) const { return m_points[static_cast<std::size_t>(i)]; }
    DPOINT* data() { return m_points.empty() ? nullptr : m_points.data(); }
    const DPOINT* data() const { return m_points.empty() ? nullptr : m_points.data(); }
    DPOINT* begin() { return m_points.data(); }
    DPOINT* end() { return m_points.data() + m_points.size(); }
    const DPOINT* begin() const { return m_points.data(); }
    const DPOINT* end() const { return m_points.data() + m_points.size(); }

    // Adds n zero elements, keeping the first `keep` elements and zeroing the
    // rest of the old ones (callers pass keep = size()). Fails, changing
    // nothing, when keep < 0, keep > size(), n < 0, the new size would pass
    // kMaxSize, or memory runs out.
    bool Grow(std::int32_t n, std::int32_t keep);

    // Copies len elements from src to position i, first growing by
    // i + len - size() when they do not fit. src may point into this array.
    // Fails, changing nothing, for negative i or len, a null src with len > 0,
    // or when the growth fails.
    bool Write(std::int32_t i, const DPOINT* src, std::int32_t len);

    // Frees the block; size() is 0 afterwards.
    void Clear();

    friend bool operator==(const CPointArray&, const CPointArray&) = default;

private:
    std::vector<DPOINT> m_points;
};
