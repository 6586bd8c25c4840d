#include "calib/apply_calibration.h"

#include "calib/scale_data.h"
#include "model/compute_values.h"
#include "model/measure_chain.h"
#include "model/result_list.h"

void ApplyCalibrationToMeasurements(const CALIBRATION& calibration, ScaleData& scale, CMeasureChain& chain,
                                    const CDibImage& picture) {
    scale.mpp = calibration.mpp;
    scale.unit = calibration.unit;
    if (chain.MoveFirst() != 0) {
        for (MEASURE* m = chain.current; m != nullptr; m = m->next) {
            chain.current = m;
            RecomputeForCalibration(*m, calibration, picture);
        }
    }
}

void ApplyCalibrationToResults(const CALIBRATION& calibration, ScaleData& scale, CMeasureChain& chain,
                               CResultList& rows, const CDibImage& picture) {
    ApplyCalibrationToMeasurements(calibration, scale, chain, picture);
    rows.RewriteAll(calibration.unit);
}
