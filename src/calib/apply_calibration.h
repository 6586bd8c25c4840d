#pragma once

struct CALIBRATION;
struct ScaleData;
class CMeasureChain;
class CResultList;
class CDibImage;

// Choosing a calibration, the part that touches no window: its factors and
// unit go into the scale block, and every measurement is recomputed with them
// from its stored pixel geometry (angles stay) and takes its unit.
void ApplyCalibrationToMeasurements(const CALIBRATION& calibration, ScaleData& scale, CMeasureChain& chain,
                                    const CDibImage& picture);

// The same, and then the value and unit cells of every row of the results
// list rewritten in the calibration's unit. The rows are rewritten, not
// re-created: their order and selection stay.
void ApplyCalibrationToResults(const CALIBRATION& calibration, ScaleData& scale, CMeasureChain& chain,
                               CResultList& rows, const CDibImage& picture);
