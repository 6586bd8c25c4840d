#pragma once
#include <string>

// The program's string table: each id has an English and a Japanese text;
// LoadStr returns the one of the current language (g_bJapanese).
// Unknown ids give an empty text.
const char* LoadStr(int id);
const char* LoadStr(int id, bool japanese);

namespace strid {
constexpr int TipLive = 200;       // .. 220: tooltips of the main window (Japanese in both tables)
constexpr int TipResultsList = 220;
constexpr int Length = 1000;
constexpr int PolygonArea = 1001;
constexpr int CircleDiameter = 1002;
constexpr int CircleDistance = 1003;
constexpr int Angle = 1004;
constexpr int Degree = 1005;
constexpr int CalibrationName = 1006;
constexpr int ColumnType = 1007;
constexpr int ColumnResult = 1008;
constexpr int ColumnUnit = 1009;
constexpr int DialogFont = 1010;
constexpr int AlreadyRunning = 1011;
// Why a file could not be written (see WriteFailureReason).
constexpr int DiskFull = 1012;
constexpr int NotWritable = 1013;
constexpr int FolderMissing = 1014;
constexpr int WriteError = 1015; // %s: the system's own words
// At exit; %1 the file, %2 the reason.
constexpr int SettingsNotSaved = 1016;
constexpr int IndexNotSaved = 1017;
} // namespace strid
