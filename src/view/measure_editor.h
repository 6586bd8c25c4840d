#pragma once
#include "model/dpoint.h"
#include "view/hit_test_measure.h"
#include "view/tool_environment.h"

#include <cstdint>

struct MEASURE;
class CMeasureChain;

// What a drag step did, for the window's cursor and repaint.
struct EditStep {
    bool changed = false; // the record moved: repaint
    bool snapped = false; // the point was snapped to an edge (show the ring cursor)
    int cursor = 0;       // a cursor to show now (CursorCode), 0 to leave it
    bool crossCursor = false; // a point is being dragged: crosshair on
};

// Editing finished measurements with the right mouse button: a point, a circle's
// centre or circumference, or a label is grabbed at the press and dragged; values
// and result rows follow at once (an ARIA's area at the release).
//
// SHIFT on a single circle's centre (CIRCLE has no partner centre): the centre moves
// from where it was grabbed along the nearest multiple of the angle step, the length
// of the drag kept, as a LINE end moves about its other end.
class CMeasureEditor {
public:
    explicit CMeasureEditor(CMeasureChain& chain) : m_MeasureChain(chain) {}

    void setRows(ResultRowsSink rows) { m_rows = std::move(rows); }

    // A right press at p (image pixels, not snapped): HitTestMeasure, and on a hit the
    // edit begins. Returns the hit (empty when nothing is hit, and nothing starts).
    MeasureHit BeginEdit(const DPOINT& p, const HitTestOptions& options);

    // A move while the edit runs and no tool is armed, p in image pixels (snapped here
    // for points and centres).
    EditStep EditDrag(const DPOINT& p, const ToolEnvironment& env);

    // Every right release: an edited ARIA has its area counted again (unless SUI is
    // armed); the edit state is cleared. True when the picture should be repainted.
    bool EndEdit(bool suiArmed, const ToolEnvironment& env);

    // The edit state (`m_bEditDrag` 1 while an edit runs).
    std::int32_t m_bEditDrag = 0;
    std::int32_t m_EditPart = 0;
    std::int32_t m_EditIndex = 0;
    MEASURE* m_pEditMeasure = nullptr;
    DPOINT m_EditGrab; // a label: mouse minus the label's offset at the press
    DPOINT m_EditStart; // a single circle's centre at the press (its SHIFT partner)

private:
    void clear();
    void rewrite(const MEASURE* m) const;
    bool dragLabel(MEASURE& m, const DPOINT& p);
    bool dragPoint(MEASURE& m, const DPOINT& p, const ToolEnvironment& env);
    bool dragCentre(MEASURE& m, const DPOINT& p, const ToolEnvironment& env);
    bool dragCircumference(MEASURE& m, const DPOINT& p, const ToolEnvironment& env);
    bool dragSuiBase(MEASURE& m, const DPOINT& p, const ToolEnvironment& env);

    CMeasureChain& m_MeasureChain;
    ResultRowsSink m_rows;
};
