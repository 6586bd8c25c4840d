#pragma once
#include "platform/int_rect.h"

// Cells of the thumbnail browser. With a client area of clientWidth x clientHeight,
// thumbnails of w x h and scroll position pos:
//   cols = (clientWidth - 47) / (w + 6), rows = (clientHeight - 10) / (h + 10),
//   visible = cols * rows, first = pos * cols.
// Entry i sits in column i mod cols and row i div cols - pos, at
// x = column * (w + 10) + 6, y = row * (h + 10) + 10. The cells drawn are first ...
// first + visible - 1; those past the last entry show the background.
class ThumbnailGrid {
  public:
    ThumbnailGrid(int clientWidth, int clientHeight, int w, int h, int pos);

    int cols() const { return m_cols; }
    int rows() const { return m_rows; }
    int visible() const { return m_visible; }
    int first() const { return m_first; }
    // The cell of entry i (w x h); empty when no column fits.
    IntRect cell(int i) const;
    // The entry under (x, y) among the cells drawn, below count; -1 when none.
    int entryAt(int x, int y, int count) const;

    // Scroll bar: disabled when count - visible < 1 or visible < 1, else 0 ... maximum.
    bool scrollEnabled(int count) const;
    int scrollMaximum(int count) const;

  private:
    int m_w;
    int m_h;
    int m_pos;
    int m_cols;
    int m_rows;
    int m_visible;
    int m_first;
};
