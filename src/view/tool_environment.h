#pragma once
#include "model/dpoint.h"

#include <functional>

struct CALIBRATION;
struct MEASURE;
class CDibImage;

// What the measuring tools and the editing read from the main window at each event.
struct ToolEnvironment {
    const CALIBRATION* calibration = nullptr; // the selected one; null: no factors at all
    int angleBaseLine = 0;                    // `color.anglebaseline`
    int angleStep = 45;                       // `color.angle`; odd values count as 45
    const CDibImage* picture = nullptr;       // the display image, for polygon areas
    bool shift = false;                       // SHIFT held
    std::function<DPOINT(const DPOINT&)> snapToEdge; // unset: points stay where clicked
};

// The results list as the tools see it.
struct ResultRowsSink {
    // The rows of the measurement list's cursor record, appended.
    std::function<void()> addRowsOfCurrent;
    // The value and unit cells of a record's rows, written again from its values.
    std::function<void(const MEASURE*)> rewriteRowsOf;
};

// The calibration to compute with (a calibration without factors when none is
// selected) and the picture (an empty one when none).
const CALIBRATION& CalibrationOf(const ToolEnvironment& env);
const CDibImage& PictureOf(const ToolEnvironment& env);
// The snapped point, or p itself without snapping.
DPOINT Snapped(const std::function<DPOINT(const DPOINT&)>& snapToEdge, const DPOINT& p);
DPOINT Snapped(const ToolEnvironment& env, const DPOINT& p);
