#pragma once
#include "model/dpoint.h"

#include <cstddef>

struct CrossLineModel;

// What the cross-line window shows, for the rule that picks between a master and a
// slave lying on it.
struct CrossLineWindowState {
    bool visible = false;
    int tab = 0;          // the list shown (CrossLineModel::kFirst or kSecond)
    int selectedRow = -1; // row of the list box, -1 for none
};

// Dragging cross lines and circle rims with the right mouse button.
class CrossLineDrag {
  public:
    // Reach of a centre or rim, in image pixels.
    static constexpr double kReach = 10.0;

    // Button down at `mouse` (image pixels): tries the first list, then the second, in
    // order, as they are drawn (hidden entries and circles not yet defined are not
    // caught). A circle's rim is tried before its centre. Returns the cursor code to show
    // (CursorCode), or 0 when nothing was caught; a rim whose direction gives no arrow
    // keeps the cursor as it is and also returns 0, but is held.
    int press(CrossLineModel& model, const DPOINT& mouse, const CrossLineWindowState& window);
    // Mouse move while the button is down. Inside the picture the held entry follows
    // (image pixels as integers) and true is returned: refresh the window, repaint. A
    // move outside the picture ends the drag.
    bool move(CrossLineModel& model, const DPOINT& mouse, bool insidePicture);
    // Button up.
    void release(CrossLineModel& model);

    bool dragging() const { return m_dragging; }
    int heldList() const { return m_list; }
    std::size_t heldIndex() const { return m_index; }

  private:
    void end(CrossLineModel& model);

    bool m_dragging = false;
    int m_list = 0;
    std::size_t m_index = 0;
};
