#pragma once
#include "model/dpoint.h"

#include <functional>
#include <string>

struct MEASURE;
class CMeasureChain;

// What of a finished measurement lies under the mouse.
namespace HitPart {
constexpr int None = 0;
constexpr int Point = 1;         // a point, or a circle's centre
constexpr int Circumference = 2; // a circle's circumference
constexpr int Label = 3;         // a result label
} // namespace HitPart

struct MeasureHit {
    MEASURE* record = nullptr;
    int part = HitPart::None;
    int index = 0; // the point, the circle (0 or 1) or the label slot

    explicit operator bool() const { return record != nullptr; }
};

// Size of a label text in window pixels, as drawn in the label font.
struct LabelExtent {
    int width = 0;
    int height = 0;
};
using LabelMeasurer = std::function<LabelExtent(const std::string& text)>;

struct HitTestOptions {
    double zoom = 1.0;        // window pixels per image pixel
    LabelMeasurer measure;    // unset: labels are not hit
    bool showAngle = true;    // the angle labels are drawn (`color.showangle`)
};

// The first part of the first record, from the front of the list, within 10 window
// pixels (10 / zoom image pixels) of p, in image pixels:
//   - points of LINE, ARIA, SUI (not its stored foot) and ANGLE: p.x - d <= x < p.x + d
//     and the same for y;
//   - circles of CIRCLE and CIRCLE2, each in turn: its circumference when the radius
//     lies in [D - d, D + d) for the distance D of p from the centre, else its centre
//     as a point;
//   - after those, the record's labels (LINE 0-1, CIRCLE2 0-3, others 0): the box from
//     the label's anchor spanning its last drawn text, bounds included. Labels of ARIA
//     and SUI are drawn 20 window pixels below their anchor, and so is their box.
// Angle labels that are not shown, and labels never drawn, are not hit. The chain's
// cursor is not moved.
MeasureHit HitTestMeasure(const CMeasureChain& chain, const DPOINT& p, const HitTestOptions& options);

// Whether `record` is a node of the chain (a pointer kept across events may have been
// removed meanwhile).
bool ChainHolds(const CMeasureChain& chain, const MEASURE* record);

// The first node of the chain, without moving its cursor; null when empty.
MEASURE* FirstNode(const CMeasureChain& chain);
