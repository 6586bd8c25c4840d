#include "model/point_array.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>

bool CPointArray::Grow(std::int32_t n, std::int32_t keep) {
    const std::int32_t old = size();
    if (keep < 0 || keep > old || n < 0)
        return false;
    if (std::int64_t{old} + n > kMaxSize)
        return false;
    try {
        std::vector<DPOINT> grown(static_cast<std::size_t>(old + n));
        std::copy_n(m_points.begin(), keep, grown.begin());
        m_points.swap(grown);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CPointArray::Write(std::int32_t i, const DPOINT* src, std::int32_t len) {
    if (i < 0 || len < 0 || (src == nullptr && len > 0))
        return false;
    if (len == 0)
        return true;
    const std::int64_t end = std::int64_t{i} + len;
    if (end > kMaxSize)
        return false;
    if (end > size()) {
        // Build the grown block before letting go of the old one, so a source
        // inside this array stays valid while it is copied.
        try {
            std::vector<DPOINT> grown(static_cast<std::size_t>(end));
            std::copy(m_points.begin(), m_points.end(), grown.begin());
            std::copy_n(src, len, grown.begin() + i);
            m_points.swap(grown);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }
    // Same block: source and destination may overlap.
    static_assert(std::is_trivially_copyable_v<DPOINT>);
    std::memmove(m_points.data() + i, src, static_cast<std::size_t>(len) * sizeof(DPOINT));
    return true;
}

void CPointArray::Clear() {
    std::vector<DPOINT>().swap(m_points);
}
