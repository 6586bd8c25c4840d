#include "capture/camera_models.h"

#include <gtest/gtest.h>

namespace {

TEST(CameraModels, ExactCaseSensitiveNames) {
    struct Case {
        const char* name;
        bool registerCamera, smartTee, restartsOnSave;
    };
    const Case cases[] = {
        {"VESPIR-220KT4", true, true, false},
        {"VESPIR-220KT4-MR", true, true, false},
        {"VDX-08U1", false, true, false},
        {"VESPIR-220KT", false, false, true},
        {"USB PC Camera-375", false, false, true},
        {"vespir-220kt4", false, false, false},
        {"VESPIR-220KT4 ", false, false, false},
        {"VDX-08U1-MR", false, false, false},
        {"", false, false, false},
        {"Demo Microscope", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsRegisterCameraName(c.name), c.registerCamera) << c.name;
        EXPECT_EQ(ForcesSmartTee(c.name), c.smartTee) << c.name;
        EXPECT_EQ(RestartsCameraOnSave(c.name), c.restartsOnSave) << c.name;
    }
}

} // namespace
