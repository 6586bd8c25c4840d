#include "images/thumbnail_grid.h"

#include <algorithm>

ThumbnailGrid::ThumbnailGrid(int clientWidth, int clientHeight, int w, int h, int pos)
    : m_w(w), m_h(h), m_pos(pos) {
    // A window narrower than one column has none (the division would go negative).
    m_cols = w + 6 > 0 ? std::max(0, (clientWidth - 47) / (w + 6)) : 0;
    m_rows = h + 10 > 0 ? std::max(0, (clientHeight - 10) / (h + 10)) : 0;
    m_visible = m_cols * m_rows;
    m_first = pos * m_cols;
}

IntRect ThumbnailGrid::cell(int i) const {
    if (m_cols <= 0 || i < 0)
        return {};
    const int column = i % m_cols;
    const int row = i / m_cols - m_pos;
    const int x = column * (m_w + 10) + 6;
    const int y = row * (m_h + 10) + 10;
    return {x, y, x + m_w, y + m_h};
}

int ThumbnailGrid::entryAt(int x, int y, int count) const {
    const int last = std::min(count, m_first + m_visible);
    for (int i = std::max(0, m_first); i < last; ++i) {
        const IntRect r = cell(i);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return i;
    }
    return -1;
}

bool ThumbnailGrid::scrollEnabled(int count) const {
    return !(count - m_visible < 1 || m_visible < 1);
}

int ThumbnailGrid::scrollMaximum(int count) const {
    return scrollEnabled(count) ? (count - m_visible) / m_cols + 1 : 0;
}
