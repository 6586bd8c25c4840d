#pragma once
#include "model/dpoint.h"
#include "view/double_click_filter.h"
#include "view/tool_environment.h"

#include <cstdint>

struct MEASURE;
class CMeasureChain;

// What a new point did.
struct ToolStep {
    bool placed = false; // the point was added to the working record
    int filed = 0;       // records added to the measurement list (and their rows)
};

// The measuring tools LINE, ARIA, CIRCLE, CIRCLE2, SUI and ANGLE on the main window's
// working record `m_Measure`: arming, points placed by left releases, and filing each
// completed measurement into the measurement list and the results list.
class CMeasureTools {
public:
    // Points a freshly armed tool has room for; a full array grows by its size plus
    // its point count (10, 30, 90, ...).
    static constexpr std::int32_t kInitialPoints = 10;

    CMeasureTools(MEASURE& working, CMeasureChain& chain);

    void setRows(ResultRowsSink rows) { m_rows = std::move(rows); }

    // Arms tool 1 ... 6, or disarms with 0 (any other value disarms too): no points,
    // unit 0, the values, centres, radii and label offsets zeroed; the label texts stay.
    void ResetTool(int tool);
    // The armed tool, 0 when none.
    int armed() const;

    // A left release inside the picture that is not the second half of a double-click:
    // p (after edge snapping) is appended and the tool takes its step:
    //   LINE    2 points: with SHIFT the end is turned to the angle step; filed
    //   ARIA    nothing until a double-click
    //   CIRCLE  3 points, CIRCLE2 6 points, ANGLE 3 points: filed
    //   SUI     2 points with SHIFT: the second base point turned to the step (folded);
    //           from 3 points on every point files one perpendicular from the base
    //           line, which stays until the series ends
    // Filing computes the values with the selected calibration, adds a copy to the
    // list, appends its rows and arms the same tool again. Nothing happens without a
    // tool, or when the point array cannot grow.
    ToolStep AddPoint(const DPOINT& p, const ToolEnvironment& env);

    // A left double-click anywhere on the window: an armed ARIA closes its polygon over
    // the vertices placed so far (none gives an empty record of area 0), files it and
    // is armed again. True when a record was filed.
    bool CloseAria(const ToolEnvironment& env);

    // A right release: an armed SUI ends its series and is armed again with no points.
    // True when it did.
    bool EndSeries();

    // Left releases and double-clicks (`m_LastUpTime`, `m_LastUpPoint`).
    DoubleClickFilter clicks;

private:
    bool appendPoint(const DPOINT& p);
    bool file(const ToolEnvironment& env);
    bool filePerpendicular(const ToolEnvironment& env);

    MEASURE& m_Measure;
    CMeasureChain& m_MeasureChain;
    ResultRowsSink m_rows;
};
