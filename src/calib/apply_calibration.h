#pragma once

struct CALIBRATION;
struct ScaleData;
class CMeasureChain;
class CResultList;
class CDibImage;

// Choosing a calibration, the part that touches no window: its factors and
// unit go into the scale block, every measurement is recomputed with them
// from its stored pixel geometry (angles stay), and the value and unit cells
// of every row of the results list are rewritten in its unit. The rows are
// rewritten, not re-created: their order and selection stay.
void ApplyCalibrationToResults(const CALIBRATION& calibration, ScaleData& scale, CMeasureChain& chain,
                               CResultList& rows, const CDibImage& picture);
