#include "calib/apply_calibration.h"

#include "calib/calib_chain.h"
#include "calib/scale_data.h"
#include "images/dib_image.h"
#include "model/compute_values.h"
#include "model/measure_chain.h"
#include "model/result_list.h"
#include "platform/language.h"
#include "support/measure_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MEASURE Measured(std::int32_t tool, std::vector<DPOINT> pts, const CALIBRATION& cal, const CDibImage& picture) {
    MEASURE m = CompleteRecord(tool, pts);
    ComputeValues(m, cal, 0, picture);
    return m;
}

class ApplyCalibrationTest : public testing::Test {
protected:
    void SetUp() override {
        g_bJapanese = false;
        ASSERT_NE(picture.create(320, 240, 24), 0);
        mm = *calibrations.At(0);
        cm = *calibrations.At(1);
        cm.unit = 0;
        cm.mpp = {0.005, 0.005};
        for (MEASURE m : {Measured(MeasureKind::Line, {{0, 0}, {200, 0}}, mm, picture),
                          Measured(MeasureKind::Angle, {{10, 0}, {0, 0}, {0, -10}}, mm, picture),
                          Measured(MeasureKind::Aria, {{10, 10}, {19, 10}, {19, 19}, {10, 19}}, mm, picture),
                          Measured(MeasureKind::Circle, {{1, 0}, {0, 1}, {-1, 0}}, mm, picture)})
            chain.AddNode(&m);
        rows.Rebuild(chain, mm.unit);
    }

    std::vector<std::string> Cells(int column) const {
        std::vector<std::string> out;
        for (const ResultListRow& r : rows.rows())
            out.push_back(column == 2 ? r.value : column == 3 ? r.unit : r.number);
        return out;
    }

    CCalibChain calibrations;
    CALIBRATION mm, cm;
    CDibImage picture;
    CMeasureChain chain;
    CResultList rows;
    ScaleData scale;
};

TEST_F(ApplyCalibrationTest, DefaultsReadTenMillimetresForTwoHundredPixels) {
    EXPECT_EQ(mm.mpp.x, 0.05);
    EXPECT_EQ(Cells(2)[0], "10.000");
    EXPECT_EQ(Cells(3)[0], "mm");
}

TEST_F(ApplyCalibrationTest, SwitchingFromMillimetresToCentimetresRewritesEveryRow) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Cells(2), (V{"10.000", "0.0", "90.0", "0.250", "0.100"}));
    ApplyCalibrationToResults(cm, scale, chain, rows, picture);
    EXPECT_EQ(scale.mpp.x, 0.005);
    EXPECT_EQ(scale.unit, 0);
    // Lengths and areas recomputed in cm with two decimals; angles kept as they were.
    EXPECT_EQ(Cells(2), (V{"1.00", "0.0", "90.0", "0.00", "0.01"}));
    EXPECT_EQ(Cells(3), (V{"cm", "degree", "degree", "cm2", "cm"}));
    EXPECT_EQ(Cells(0), (V{"0", "1", "2", "3", "4"}));
    chain.MoveFirst();
    EXPECT_EQ(chain.current->unit, 0);
    EXPECT_DOUBLE_EQ(chain.current->value[0], 1.0);

    ApplyCalibrationToResults(mm, scale, chain, rows, picture);
    EXPECT_EQ(Cells(2), (V{"10.000", "0.0", "90.0", "0.250", "0.100"}));
    EXPECT_EQ(scale.unit, 1);
}

} // namespace
