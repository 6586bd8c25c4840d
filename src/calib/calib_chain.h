#pragma once
#include "calib/calibration.h"
#include "model/ctchain.h"

class Profile;

// Exactly twenty named calibrations, made once and never added or removed.
// Calibration i is the record reached by MoveTo(i); its id is i as well.
class CCalibChain : public CTChain<CALIBRATION> {
public:
    static constexpr int kCount = 20;

    CCalibChain(); // "Data1" ... "Data20", 10 mm over 200 pixels
    // Calibration i, or nullptr when i is out of range. Moves the cursor.
    CALIBRATION* At(int i);
    // Recomputes the factors of every record from its lengths and spans.
    void RecomputeAll();
};

// Name of the i-th default calibration in the current language ("Data1", "校正値1", ...).
std::string DefaultCalibrationName(int i);
// Sets a record to the defaults of a new calibration (name and factors untouched).
void ResetCalibration(CALIBRATION& c);
// mpp = length / span per axis; an axis whose span is 0 keeps its factor.
void RecomputeFactors(CALIBRATION& c);

// Section "CALIBRATION": the ten keys of every record, in stored order.
void LoadCalibrations(Profile& profile, CCalibChain& chain);
bool SaveCalibrations(Profile& profile, CCalibChain& chain);
