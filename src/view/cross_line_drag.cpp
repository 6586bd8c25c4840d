#include "view/cross_line_drag.h"

#include "view/cross_line_model.h"
#include "view/direction_cursor.h"

#include <cmath>

namespace {

double Distance(const DPOINT& a, const DPOINT& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool OnMaster(const CROSSLINE& e) {
    return e.Pos_x == 0 && e.Pos_y == 0;
}

long long ToImageInt(double v) {
    if (!std::isfinite(v))
        return 0;
    return static_cast<long long>(std::fmax(-9.0e15, std::fmin(9.0e15, v)));
}

} // namespace

int CrossLineDrag::press(CrossLineModel& model, const DPOINT& mouse,
                         const CrossLineWindowState& window) {
    end(model);
    for (int which : {CrossLineModel::kFirst, CrossLineModel::kSecond}) {
        CrossLineList& list = model.list(which);
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (!CrossLineShown(list, i))
                continue;
            CROSSLINE& e = list[i];
            if (which == CrossLineModel::kSecond && e.Mode < kCircleDefined)
                continue;
            const DPOINT c = CrossLineAbsolute(list, i);
            const double d = Distance(mouse, c);
            bool rim = false;
            if (which == CrossLineModel::kSecond && d - kReach <= e.Radius && e.Radius < d + kReach)
                rim = true;
            else if (!(d < kReach))
                continue;

            // A slave lying on the master cannot be told from it on the picture; the
            // window's selected row decides.
            std::size_t held = i;
            if (i == 0 || OnMaster(e)) {
                held = 0;
                const bool tabShown = window.visible && window.tab == which;
                const int row = window.selectedRow;
                if (tabShown && row > 0 && static_cast<std::size_t>(row) < list.size() &&
                    OnMaster(list[static_cast<std::size_t>(row)]))
                    held = static_cast<std::size_t>(row);
            }
            m_dragging = true;
            m_list = which;
            m_index = held;
            list[held].rimHeld = rim ? 1 : 0;
            if (rim)
                return DirectionCursor(CrossLineAbsolute(list, held), mouse);
            return CursorCode::SizeAll;
        }
    }
    return 0;
}

bool CrossLineDrag::move(CrossLineModel& model, const DPOINT& mouse, bool insidePicture) {
    if (!m_dragging)
        return false;
    CrossLineList& list = model.list(m_list);
    if (!insidePicture || m_index >= list.size()) {
        end(model);
        return false;
    }
    const long long x = ToImageInt(mouse.x);
    const long long y = ToImageInt(mouse.y);
    CROSSLINE& e = list[m_index];
    if (e.rimHeld) {
        const DPOINT c = CrossLineAbsolute(list, m_index);
        e.Radius = static_cast<float>(
            std::hypot(static_cast<double>(x) - c.x, static_cast<double>(y) - c.y));
    } else {
        model.placeAt(m_list, m_index, x, y);
    }
    return true;
}

void CrossLineDrag::release(CrossLineModel& model) {
    end(model);
}

void CrossLineDrag::end(CrossLineModel& model) {
    if (m_dragging && m_index < model.list(m_list).size())
        model.list(m_list)[m_index].rimHeld = 0;
    m_dragging = false;
}
