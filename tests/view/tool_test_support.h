#pragma once
// A measurement list with its results list, as the measuring tools and the editing
// see them, on a white picture and a calibration of 0.01 mm per pixel.
#include "calib/calibration.h"
#include "images/dib_image.h"
#include "model/compute_values.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "model/result_list.h"
#include "view/tool_environment.h"

#include <string>
#include <vector>

struct ToolBench {
    ToolBench() {
        calibration.mpp = {0.01, 0.01};
        calibration.unit = 1;
        picture.create(400, 300, 24);
        picture.fillRect(RGB(255, 255, 255));
    }

    ToolEnvironment env(bool shift = false) const {
        ToolEnvironment e;
        e.calibration = &calibration;
        e.picture = &picture;
        e.angleStep = step;
        e.shift = shift;
        return e;
    }

    ResultRowsSink sink() {
        return {[this] { rows.AddRowsFor(*chain.current, calibration.unit); },
                [this](const MEASURE* m) {
                    ++rewrites;
                    rows.RewriteRowsOf(m, calibration.unit);
                }};
    }

    // The value cells of the results list, top to bottom.
    std::vector<std::string> values() const {
        std::vector<std::string> v;
        for (const ResultListRow& r : rows.rows())
            v.push_back(r.value);
        return v;
    }

    MEASURE* add(std::int32_t tool, std::vector<DPOINT> pts) {
        MEASURE m;
        m.kind = -tool;
        m.pointCount = static_cast<std::int32_t>(pts.size());
        m.points.Write(0, pts.data(), m.pointCount);
        ComputeValues(m, calibration, 0, picture);
        chain.AddNode(&m);
        rows.AddRowsFor(*chain.current, calibration.unit);
        return chain.current;
    }

    CALIBRATION calibration;
    CDibImage picture;
    int step = 45;
    CMeasureChain chain;
    CResultList rows;
    int rewrites = 0;
};
