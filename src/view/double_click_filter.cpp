#include "view/double_click_filter.h"

bool DoubleClickFilter::SecondHalf(std::uint32_t nowMs, int x, int y, std::uint32_t doubleClickMs) {
    // Tick counts wrap; the unsigned difference is the elapsed time all the same.
    const bool inTime = m_hasLast && nowMs - m_LastUpTime <= doubleClickMs;
    const bool second = (inTime && x == m_LastUpX && y == m_LastUpY) || m_afterDoubleClick;
    m_afterDoubleClick = false;
    m_hasLast = true;
    m_LastUpTime = nowMs;
    m_LastUpX = x;
    m_LastUpY = y;
    return second;
}
