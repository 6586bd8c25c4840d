#pragma once
#include "images/thumbnail.h"
#include "model/ctchain.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The thumbnails of the pictures in the save folder, in the order they were saved.
// Operations return 1 on success and 0 otherwise.
class CThumbNail : public CTChain<THUMBNAIL> {
  public:
    std::int32_t thumbWidth = 140;
    std::int32_t thumbHeight = 105;

    // Appends an entry for path whose thumbnail is the whole picture resampled to the
    // thumbnail size (the aspect ratio is not kept). Nothing is added for an empty picture
    // or one that cannot be resampled.
    int AddThumbnail(const std::string& path, const CDibImage& picture);
    // Appends an entry whose thumbnail is thumbPicture copied pixel for pixel from its
    // top-left corner (pictures of the index file already have the thumbnail size).
    int AddStoredThumbnail(const std::string& path, const CDibImage& thumbPicture);
    // Reads the picture file and appends its thumbnail; a file that cannot be decoded
    // makes no entry.
    int AddFromFile(const std::string& path);
    // Removes every entry whose path equals path exactly (case-sensitive), then renumbers.
    int RemoveByPath(const std::string& path);

    // Called before each picture SyncWithFolder decodes, with the pictures done so far and
    // the number to do, and once more with (total, total) at the end; returning false
    // stops the decoding (the rest are picked up the next time).
    using SyncProgress = std::function<bool(int done, int total)>;
    // Appends a thumbnail for every picture of the folder (extensions ".bmp", ".jpg",
    // ".jpeg", ".gif", ".png", ".tif", ".tiff", compared case-sensitively) that has no
    // entry yet, in name order. A folder that cannot be listed or holds no picture
    // empties the list. Returns 1. Pictures that cannot be decoded get no entry and are
    // added to `unreadable` (when given); the decoders say nothing about them meanwhile,
    // so that the caller can say it once, in its own words.
    int SyncWithFolder(const std::string& folder, const SyncProgress& progress = {},
                       std::vector<std::string>* unreadable = nullptr);

    // Writes the index file (temporary file renamed over the old one). An empty list
    // removes the file and returns 0.
    int SaveIndex(const std::string& file);
    // Appends the entries of an index file whose picture files still exist next to it.
    // 0 when the file cannot be read or is not an index. Entries running past the end
    // of the file, and names that are not plain file names, are dropped.
    int LoadIndex(const std::string& file);

    // The entry at 0-based position i, or nullptr; the cursor does not move.
    const THUMBNAIL* At(int i) const;
    // The entries whose path equals path.
    int CountPath(const std::string& path) const;
};
