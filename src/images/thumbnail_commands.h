#pragma once
#include <QString>

#include <string>

class CThumbNail;

// Remove and Trash box of the strip's and the browser's pop-up menu.
enum class ThumbnailFileAction {
    Remove, // the picture file deleted for good
    Trash,  // the picture file moved to the desktop's trash, where it can be restored
};

enum class ThumbnailFileResult {
    Done,     // the file is gone (or was gone already) and the entry removed
    NoEntry,  // no entry at that index: nothing done
    FileKept, // the file could not be deleted or moved: the entry stays
};

// Deletes or trashes the file of entry `index` and removes the entry.
ThumbnailFileResult RemoveThumbnailFile(CThumbNail& list, int index, ThumbnailFileAction action);

// The message for a file that stayed.
std::string ThumbnailFileKeptText(ThumbnailFileAction action, const std::string& path);
