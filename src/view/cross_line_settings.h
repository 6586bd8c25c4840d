#pragma once

class Profile;
struct CrossLineModel;

// Sections "CROSSLINE" (first list) and "CROSSLINE2" (second list).
inline constexpr const char* kCrossLineSection = "CROSSLINE";
inline constexpr const char* kCrossLineSection2 = "CROSSLINE2";

// Entries read from one section at most; a larger Count is taken as this many.
constexpr int kMaxCrossLines = 1000;

// Empties both lists and reads them. A missing key reads 0 (Radius 0.0). Without a Count
// in "CROSSLINE" (or with 0) the first list gets CrossLineModel::DefaultMaster. Values
// the program cannot use are brought into range: Size 1 ... 10, Draw 0 ... 100, Type and
// Show 0 or 1, Radius a finite number >= 0, Mode 3 or 0 (the clicks are not stored, so a
// circle left half-defined starts again).
void LoadCrossLines(const Profile& profile, CrossLineModel& model);

// Writes both sections ("%d", Radius "%f") in one replacement of the file; false when it
// could not be written.
bool SaveCrossLines(Profile& profile, const CrossLineModel& model);
