#include "view/direction_cursor.h"

#include "model/geometry.h"

int DirectionCursor(const DPOINT& c, const DPOINT& p) {
    if (p.x == c.x || p.y == c.y)
        return 0;
    const double g = DirectionAngle(p, c, AngleBaseLine::XPlus);
    // Each arrow serves its direction and the opposite one, 45 degrees wide.
    const double folded = g >= 180.0 ? g - 180.0 : g;
    if (folded >= 23.0 && folded < 68.0)
        return CursorCode::SizeNeSw;
    if (folded >= 68.0 && folded < 113.0)
        return CursorCode::SizeVertical;
    if (folded >= 113.0 && folded < 158.0)
        return CursorCode::SizeNwSe;
    return CursorCode::SizeHorizontal;
}
