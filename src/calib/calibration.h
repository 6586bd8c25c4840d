#pragma once
#include <cstdint>
#include <string>

struct DoublePair {
    double x = 0.0;
    double y = 0.0;
};

// One named calibration: a reference cross of known physical size on the picture
// gives the units per pixel along each axis. Chain record (id, index, prev, next first).
struct CALIBRATION {
    std::int32_t id = 0;
    std::int32_t index = 0;
    CALIBRATION* prev = nullptr;
    CALIBRATION* next = nullptr;

    std::string name;      // at most 255 characters
    DoublePair length;     // physical lengths along X and Y, in `unit`
    std::int32_t unit = 1; // 0 cm, 1 mm, 2 um
    double left = 0.0;
    double top = 0.0;
    double right = 200.0;
    double bottom = 200.0;
    std::int32_t dragMode = 0;
    DoublePair dragLast;
    DoublePair mpp; // units per pixel
};

// Unit texts by unit code; empty for an unknown code.
inline const char* UnitText(int unit) {
    switch (unit) {
    case 0: return "cm";
    case 1: return "mm";
    case 2: return "um";
    default: return "";
    }
}
