#pragma once
#include "app/main_dialog_template.h"
#include "model/measure.h"

#include <utility>

// The measuring-tool buttons and the kind each arms; their green lamp shows the armed tool.
inline constexpr std::pair<int, int> kToolButtons[] = {
    {idc::Line, MeasureKind::Line},     {idc::Aria, MeasureKind::Aria},
    {idc::Circle, MeasureKind::Circle}, {idc::Circle2, MeasureKind::Circle2},
    {idc::Sui, MeasureKind::Sui},       {idc::Angle, MeasureKind::Angle},
};
