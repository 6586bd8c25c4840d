#include "view/tool_environment.h"

#include "calib/calibration.h"
#include "images/dib_image.h"

const CALIBRATION& CalibrationOf(const ToolEnvironment& env) {
    static const CALIBRATION none = [] {
        CALIBRATION c;
        c.mpp = {0.0, 0.0};
        return c;
    }();
    return env.calibration ? *env.calibration : none;
}

const CDibImage& PictureOf(const ToolEnvironment& env) {
    static const CDibImage empty;
    return env.picture ? *env.picture : empty;
}

DPOINT Snapped(const std::function<DPOINT(const DPOINT&)>& snapToEdge, const DPOINT& p) {
    return snapToEdge ? snapToEdge(p) : p;
}

DPOINT Snapped(const ToolEnvironment& env, const DPOINT& p) { return Snapped(env.snapToEdge, p); }
