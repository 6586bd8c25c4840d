#include "model/line_clip.h"

#include <algorithm>

bool ClipLine(const DPOINT& a, double dx, double dy, const ClipBox& box, double& t0, double& t1) {
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            // Parallel to this edge: wholly outside or never leaving across it.
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}
