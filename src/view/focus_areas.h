#pragma once
#include "images/dib_image.h"
#include "model/dpoint.h"
#include "platform/colorref.h"
#include "view/focus_area.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class OverlayList;
struct ColorSettings;
struct OverlayMapping;

// The focus areas and the one being drawn, with the mouse logic that makes and resizes
// them. The window side keeps one focus window per record index.
class FocusAreas {
  public:
    // Button 1122 (the measuring tool is disarmed by the caller): arms the area being
    // drawn when it is empty.
    void arm();
    // Its lamp is green while the area being drawn is armed or has its first corner.
    bool lampOn() const;
    const FocusArea& drawing() const { return m_drawing; }

    // Left button down on the picture (image pixels): the first corner of an armed area.
    // True when taken.
    bool press(const DPOINT& mouse);
    // Mouse move: the rubber band follows while the first corner is placed. True when
    // it did (repaint).
    bool track(const DPOINT& mouse);
    // Left button up with the first corner placed: the new area is appended (state 3),
    // the area being drawn cleared. Returns its index; its window's caption is
    // Caption(), placed by FocusWindowPosition.
    std::optional<std::size_t> release(const DPOINT& mouse);

    // Right button down: the first area (not empty) whose grip is under the mouse is
    // resized (state 4). Returns the cursor (CursorCode), 0 when none was caught.
    int gripPress(const DPOINT& mouse);
    // Move while resizing; true when an area changed.
    bool gripMove(const DPOINT& mouse);
    // Right button up: areas being resized are defined again, normalised.
    void gripRelease();

    // The area's window closed: cleared at the next paint (FinishClosing), leaving an
    // empty slot.
    void close(std::size_t index);
    void setActive(std::size_t index, bool active);
    // Clears the areas being closed; returns their indices, whose windows go now.
    std::vector<std::size_t> finishClosing();

    // Every shown frame: each area's value and peak from the frame (24 or 32-bit).
    void updateValues(const CDibImage& frame);
    // A focus window's scale row changed: that area's peak restarts at its value.
    void resetPeak(std::size_t index);
    // The same with the shared row (`FocusSelect`) set; every focus window then repaints
    // on the new scale.
    void changeScale(std::size_t index, int row, std::int32_t& focusSelect);

    // Layer 5: the area being drawn (rubber band) and every area not empty, in the pen
    // of `color.wavesize`, `color.wave`, or its companion colour while the area's window
    // is active. Areas being closed are not drawn.
    void appendOverlay(OverlayList& out, const OverlayMapping& map,
                       const ColorSettings& color) const;

    // "%d" of the number of records, empty slots included.
    std::string caption() const;

    const std::vector<FocusArea>& areas() const { return m_areas; }
    std::vector<FocusArea>& areas() { return m_areas; }

  private:
    std::vector<FocusArea> m_areas;
    FocusArea m_drawing;
    DPOINT m_mouse;
    CDibImage m_scratch; // grey levels of one area, reused between frames
};

// Where a new focus window goes (screen pixels): 10 pixels right of the cursor, its top
// level with the new area's top edge on the screen (`areaTopScreen`), so that it stands
// beside the area it measures.
struct FocusWindowPlace {
    int x = 0;
    int y = 0;
};
constexpr int kFocusWindowWidth = 55;
constexpr int kFocusWindowHeight = 240;
FocusWindowPlace FocusWindowPosition(int cursorScreenX, int areaTopScreen);
