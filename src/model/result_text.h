#pragma once
#include <string>

// What a result value measures; decides its formats.
enum class ResultQuantity { Length, Area, Angle };

// Texts of a result for the results list and for labels on the picture.
// `unit` is 0 cm, 1 mm, 2 um; millimetres show three decimals, the others two.
// Lengths and areas in an unknown unit give empty texts. Angles are in degrees
// whatever the unit; their unit text is string 1005 of the current language.

// Value cell of the results list: "%.2f" / "%.3f" / "%.2f"; angles "%.1f".
std::string ResultValueText(double value, ResultQuantity quantity, int unit);
// Unit cell: "cm" / "mm" / "um", areas "cm2" / "mm2" / "um2"; angles "degree" / "°".
std::string ResultUnitText(ResultQuantity quantity, int unit);
// Label on the picture: "%.2fcm", "%.3fmm2", ...; angles "%.1f%s" with "degree" / "°".
std::string ResultLabelText(double value, ResultQuantity quantity, int unit);
