#pragma once
#include <string>

// Where Mirelta keeps its files on this desktop.
// Settings: $XDG_CONFIG_HOME/MRC/Mirelta.ini (folder created), or beside the
// program when that folder cannot be made. Data: <Documents>/MRC/Mirelta/
// (created), or the program's folder when there is no documents folder.
std::string SettingsFilePath();
std::string DataFolder(); // ends in '/'
std::string ProgramFolder(); // ends in '/'

// Moves an old settings file from `oldPath` to `newPath` when `newPath` does not
// exist yet: copied without overwriting, then the old file is removed. Returns
// true when a file was moved.
bool MoveOldSettingsFile(const std::string& oldPath, const std::string& newPath);
