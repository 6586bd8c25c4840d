#include "calib/calib_chain.h"

#include "platform/profile.h"
#include "platform/string_table.h"
#include "platform/text_format.h"

namespace {
constexpr const char* kSection = "CALIBRATION";
}

std::string DefaultCalibrationName(int i) {
    return std::string(LoadStr(strid::CalibrationName)) + std::to_string(i + 1);
}

void ResetCalibration(CALIBRATION& c) {
    c.length = {10.0, 10.0};
    c.unit = 1;
    c.left = c.top = 0.0;
    c.right = c.bottom = 200.0;
}

void RecomputeFactors(CALIBRATION& c) {
    if (c.right - c.left != 0)
        c.mpp.x = c.length.x / (c.right - c.left);
    if (c.bottom - c.top != 0)
        c.mpp.y = c.length.y / (c.bottom - c.top);
}

CCalibChain::CCalibChain() {
    for (int i = 0; i < kCount; ++i) {
        CALIBRATION c;
        c.id = GetCount();
        c.name = DefaultCalibrationName(i);
        ResetCalibration(c);
        AddRecord(c);
    }
    RecomputeAll();
}

CALIBRATION* CCalibChain::At(int i) {
    if (i < 0 || !MoveTo(i))
        return nullptr;
    return current;
}

void CCalibChain::RecomputeAll() {
    for (int i = 0; i < GetCount(); ++i)
        if (CALIBRATION* c = At(i))
            RecomputeFactors(*c);
}

void LoadCalibrations(Profile& p, CCalibChain& chain) {
    for (int i = 0; i < chain.GetCount(); ++i) {
        CALIBRATION* c = chain.At(i);
        if (!c)
            break;
        c->name = p.GetString(kSection, StrFormat("name_%d", i).c_str(), DefaultCalibrationName(i), 256);
        c->length.x = p.ReadReal(kSection, StrFormat("length.x_%d", i).c_str(), 10.0);
        c->length.y = p.ReadReal(kSection, StrFormat("length.y_%d", i).c_str(), 10.0);
        c->unit = p.GetInt(kSection, StrFormat("unit_%d", i).c_str(), 1);
        c->mpp.x = p.ReadReal(kSection, StrFormat("mpp.x_%d", i).c_str(), 0.0);
        c->mpp.y = p.ReadReal(kSection, StrFormat("mpp.y_%d", i).c_str(), 0.0);
        c->left = p.ReadReal(kSection, StrFormat("left_%d", i).c_str(), 0.0);
        c->top = p.ReadReal(kSection, StrFormat("top_%d", i).c_str(), 0.0);
        c->right = p.ReadReal(kSection, StrFormat("right_%d", i).c_str(), 200.0);
        c->bottom = p.ReadReal(kSection, StrFormat("bottom_%d", i).c_str(), 200.0);
    }
    chain.RecomputeAll();
}

bool SaveCalibrations(Profile& p, CCalibChain& chain) {
    Profile::Batch batch(p);
    for (int i = 0; i < chain.GetCount(); ++i) {
        CALIBRATION* c = chain.At(i);
        if (!c)
            break;
        p.WriteString(kSection, StrFormat("name_%d", i).c_str(), c->name);
        p.WriteReal(kSection, StrFormat("length.x_%d", i).c_str(), c->length.x);
        p.WriteReal(kSection, StrFormat("length.y_%d", i).c_str(), c->length.y);
        p.WriteInt(kSection, StrFormat("unit_%d", i).c_str(), c->unit);
        p.WriteReal(kSection, StrFormat("mpp.x_%d", i).c_str(), c->mpp.x);
        p.WriteReal(kSection, StrFormat("mpp.y_%d", i).c_str(), c->mpp.y);
        p.WriteReal(kSection, StrFormat("left_%d", i).c_str(), c->left);
        p.WriteReal(kSection, StrFormat("top_%d", i).c_str(), c->top);
        p.WriteReal(kSection, StrFormat("right_%d", i).c_str(), c->right);
        p.WriteReal(kSection, StrFormat("bottom_%d", i).c_str(), c->bottom);
    }
    return batch.commit();
}
