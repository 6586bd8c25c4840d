#include "view/focus_areas.h"

#include "platform/text_format.h"
#include "settings/app_settings.h"
#include "view/overlay_list.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Image pixels as integers (toward zero), held within the int range.
int ToInt(double v) {
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(
        std::clamp<double>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void Outline(OverlayList& out, const OverlayMapping& map, COLORREF colour, int width,
             const IntRect& r) {
    const DPOINT tl = map.mapExact({static_cast<double>(r.left), static_cast<double>(r.top)});
    const DPOINT tr = map.mapExact({static_cast<double>(r.right), static_cast<double>(r.top)});
    const DPOINT br = map.mapExact({static_cast<double>(r.right), static_cast<double>(r.bottom)});
    const DPOINT bl = map.mapExact({static_cast<double>(r.left), static_cast<double>(r.bottom)});
    out.line(colour, width, tl, tr);
    out.line(colour, width, tr, br);
    out.line(colour, width, br, bl);
    out.line(colour, width, bl, tl);
}

} // namespace

void FocusAreas::arm() {
    if (m_drawing.state == FocusAreaState::Empty)
        m_drawing.state = FocusAreaState::Armed;
}

bool FocusAreas::lampOn() const {
    return m_drawing.state == FocusAreaState::Armed ||
           m_drawing.state == FocusAreaState::FirstCorner;
}

bool FocusAreas::press(const DPOINT& mouse) {
    if (m_drawing.state != FocusAreaState::Armed)
        return false;
    m_drawing.rect = {ToInt(mouse.x), ToInt(mouse.y), ToInt(mouse.x), ToInt(mouse.y)};
    m_drawing.state = FocusAreaState::FirstCorner;
    m_mouse = mouse;
    return true;
}

bool FocusAreas::track(const DPOINT& mouse) {
    if (m_drawing.state != FocusAreaState::FirstCorner)
        return false;
    m_mouse = mouse;
    return true;
}

std::optional<std::size_t> FocusAreas::release(const DPOINT& mouse) {
    if (m_drawing.state != FocusAreaState::FirstCorner)
        return std::nullopt;
    FocusArea area;
    area.state = FocusAreaState::Defined;
    area.rect =
        NormalisedRect({m_drawing.rect.left, m_drawing.rect.top, ToInt(mouse.x), ToInt(mouse.y)});
    m_areas.push_back(area);
    m_drawing = FocusArea{};
    return m_areas.size() - 1;
}

int FocusAreas::gripPress(const DPOINT& mouse) {
    const int x = ToInt(mouse.x);
    const int y = ToInt(mouse.y);
    for (FocusArea& a : m_areas) {
        if (a.state == FocusAreaState::Empty)
            continue;
        const int grip = FocusGripAt(a.rect, x, y);
        if (grip == FocusGrip::None)
            continue;
        a.grip = grip;
        a.state = FocusAreaState::Resizing;
        return FocusGripCursor(grip);
    }
    return 0;
}

bool FocusAreas::gripMove(const DPOINT& mouse) {
    bool changed = false;
    for (FocusArea& a : m_areas) {
        if (a.state != FocusAreaState::Resizing)
            continue;
        a.rect = MoveFocusGrip(a.rect, a.grip, ToInt(mouse.x), ToInt(mouse.y));
        changed = true;
    }
    return changed;
}

void FocusAreas::gripRelease() {
    for (FocusArea& a : m_areas) {
        if (a.state != FocusAreaState::Resizing)
            continue;
        a.state = FocusAreaState::Defined;
        a.rect = NormalisedRect(a.rect);
    }
}

void FocusAreas::close(std::size_t index) {
    if (index < m_areas.size() && m_areas[index].state != FocusAreaState::Empty)
        m_areas[index].state = FocusAreaState::Closing;
}

void FocusAreas::setActive(std::size_t index, bool active) {
    if (index < m_areas.size())
        m_areas[index].active = active ? 1 : 0;
}

std::vector<std::size_t> FocusAreas::finishClosing() {
    std::vector<std::size_t> closed;
    for (std::size_t i = 0; i < m_areas.size(); ++i) {
        if (m_areas[i].state == FocusAreaState::Closing) {
            m_areas[i] = FocusArea{};
            closed.push_back(i);
        }
    }
    return closed;
}

void FocusAreas::updateValues(const CDibImage& frame) {
    for (FocusArea& a : m_areas) {
        if (a.state == FocusAreaState::Empty)
            continue;
        a.value = FocusAreaValueOfColour(frame, a.rect, m_scratch);
        a.peak = std::max(a.peak, a.value);
    }
}

void FocusAreas::resetPeak(std::size_t index) {
    if (index < m_areas.size())
        m_areas[index].peak = m_areas[index].value;
}

void FocusAreas::changeScale(std::size_t index, int row, std::int32_t& focusSelect) {
    focusSelect = std::clamp(row, 0, 9);
    resetPeak(index);
}

void FocusAreas::appendOverlay(OverlayList& out, const OverlayMapping& map,
                               const ColorSettings& color) const {
    const int width = OverlayPenWidth(color.wavesize);
    if (m_drawing.state == FocusAreaState::FirstCorner) {
        const IntRect band{m_drawing.rect.left, m_drawing.rect.top, ToInt(m_mouse.x),
                           ToInt(m_mouse.y)};
        Outline(out, map, color.wave, width, band);
    }
    for (const FocusArea& a : m_areas) {
        if (a.state == FocusAreaState::Empty || a.state == FocusAreaState::Closing)
            continue;
        Outline(out, map, a.active ? CompanionColour(color.wave) : color.wave, width, a.rect);
    }
}

std::string FocusAreas::caption() const {
    return StrFormat("%zu", m_areas.size());
}

FocusWindowPlace FocusWindowPosition(int cursorScreenX, int areaTopScreen) {
    return {cursorScreenX + 10, areaTopScreen};
}
