#include "view/hit_test_measure.h"

#include "model/label_anchor.h"
#include "model/measure.h"
#include "model/measure_chain.h"

#include <algorithm>
#include <cmath>

namespace {

// ARIA and SUI labels sit this many window pixels below their anchor.
constexpr double kLowLabel = 20.0;
constexpr double kTolerance = 10.0;

bool InSquare(const DPOINT& q, const DPOINT& p, double d) {
    return p.x - d <= q.x && q.x < p.x + d && p.y - d <= q.y && q.y < p.y + d;
}

int LabelSlots(int kind, bool showAngle) {
    switch (kind) {
    case -MeasureKind::Line: return showAngle ? 2 : 1;
    case -MeasureKind::Circle2: return showAngle ? 4 : 3;
    default: return 1;
    }
}

MeasureHit Points(MEASURE& m, const DPOINT& p, double d) {
    // SUI keeps the foot after its three points; it is never grabbed.
    const int n = m.kind == -MeasureKind::Sui ? std::min(PointsPresent(m), 3) : PointsPresent(m);
    for (int i = 0; i < n; ++i)
        if (InSquare(m.points[i], p, d))
            return {&m, HitPart::Point, i};
    return {};
}

MeasureHit Circles(MEASURE& m, const DPOINT& p, double d) {
    const int n = std::min(PointsPresent(m) / 3, 2);
    for (int i = 0; i < n; ++i) {
        const DPOINT& c = m.center[static_cast<std::size_t>(i)];
        const double r = m.radius[static_cast<std::size_t>(i)];
        const double D = std::hypot(p.x - c.x, p.y - c.y);
        if (D - d <= r && r < D + d)
            return {&m, HitPart::Circumference, i};
        if (InSquare(c, p, d))
            return {&m, HitPart::Point, i};
    }
    return {};
}

MeasureHit Labels(MEASURE& m, const DPOINT& p, const HitTestOptions& o) {
    if (!o.measure)
        return {};
    const bool low = m.kind == -MeasureKind::Aria || m.kind == -MeasureKind::Sui;
    const int slots = LabelSlots(m.kind, o.showAngle);
    for (int slot = 0; slot < slots; ++slot) {
        const std::string& text = m.labelText[static_cast<std::size_t>(slot)];
        if (text.empty())
            continue; // never drawn: nothing to grab
        const LabelExtent e = o.measure(text);
        DPOINT a = LabelAnchor(m, slot);
        if (low)
            a.y += kLowLabel / o.zoom;
        if (a.x <= p.x && p.x <= a.x + e.width / o.zoom && a.y <= p.y && p.y <= a.y + e.height / o.zoom)
            return {&m, HitPart::Label, slot};
    }
    return {};
}

} // namespace

MEASURE* FirstNode(const CMeasureChain& chain) {
    MEASURE* m = chain.current;
    while (m && m->prev)
        m = m->prev;
    return m;
}

bool ChainHolds(const CMeasureChain& chain, const MEASURE* record) {
    if (record == nullptr)
        return false;
    for (const MEASURE* m = FirstNode(chain); m; m = m->next)
        if (m == record)
            return true;
    return false;
}

MeasureHit HitTestMeasure(const CMeasureChain& chain, const DPOINT& p, const HitTestOptions& options) {
    const double zoom = options.zoom > 0.0 && std::isfinite(options.zoom) ? options.zoom : 1.0;
    HitTestOptions o = options;
    o.zoom = zoom;
    const double d = kTolerance / zoom;
    for (MEASURE* m = FirstNode(chain); m; m = m->next) {
        MeasureHit hit;
        switch (m->kind) {
        case -MeasureKind::Line:
        case -MeasureKind::Aria:
        case -MeasureKind::Sui:
        case -MeasureKind::Angle:
            hit = Points(*m, p, d);
            break;
        case -MeasureKind::Circle:
        case -MeasureKind::Circle2:
            hit = Circles(*m, p, d);
            break;
        default:
            continue; // not a finished measurement
        }
        if (!hit)
            hit = Labels(*m, p, o);
        if (hit)
            return hit;
    }
    return {};
}
