#pragma once
#include <cstdint>

// Tells the second left release of a double-click from a new click: a release no
// later than the double-click time after the previous one, at exactly the same
// window position. The release that follows a double-click event counts as the
// second half too, even when the mouse slipped a pixel between the two clicks (the
// platform still called it a double-click), so a double-click never places two points.
class DoubleClickFilter {
public:
    // Every left release: whether it is the second half of a double-click; the
    // release is remembered in every case.
    bool SecondHalf(std::uint32_t nowMs, int x, int y, std::uint32_t doubleClickMs);
    // The platform reported a double-click; its release comes next.
    void DoubleClicked() { m_afterDoubleClick = true; }

    std::uint32_t m_LastUpTime = 0;
    int m_LastUpX = 0;
    int m_LastUpY = 0;

private:
    bool m_hasLast = false;
    bool m_afterDoubleClick = false;
};
