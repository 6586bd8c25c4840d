#pragma once
#include <span>
#include <string>

// Names and paths of saved pictures. `m_FilterIndex` (the save type) is 1 BMP, 2 JPEG
// high, 3 JPEG medium, 4 JPEG low; anything else saves nothing.

// One entry of the save dialog's type list.
struct PictureSaveFilter {
    const char* english;
    const char* japanese;
    const char* pattern;
};
// The four types, in the order of their save-type numbers.
std::span<const PictureSaveFilter> PictureSaveFilters();

// The extension of a save type: ".bmp" for 1, ".jpg" for 2 to 4, empty otherwise.
const char* PictureExtension(int saveType);

// The path a save-dialog answer is written to: JPEG types replace any typed extension
// with ".jpg" (folder + name + ".jpg"); the BMP type keeps the path as chosen.
std::string SavePathForType(const std::string& chosen, int saveType);

// The folder part of a path without its trailing '/' ("/a/b/c.jpg" -> "/a/b", "/x" -> "/").
std::string FolderOfPath(const std::string& path);

// True when two folder paths name the same folder text (trailing '/' ignored).
bool SameFolder(const std::string& a, const std::string& b);

// Longest path the save paths take, in UTF-16 units, as the file-name buffers of the
// settings and the index allow (260 with the terminator).
inline constexpr int kMaxPicturePath = 259;
bool FitsPicturePathLimit(const std::string& path);
