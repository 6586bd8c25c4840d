#pragma once
#include "images/dib_image.h"

#include <functional>
#include <string>

class CThumbNail;

enum class SaveResult {
    Written,     // the file holds the picture and the list its thumbnail
    UnknownType, // a save type outside 1 to 4: nothing written
    NoPicture,   // the picture is empty or cannot be copied
    WriteFailed, // the file could not be written; an older file there is unchanged
};

// Draws the overlay onto the copy of the picture that is saved (burn-in).
using OverlayBurnIn = std::function<void(CDibImage& copy)>;

// Saves `image` to `path` as save type `saveType` (1 BMP, 2 to 4 JPEG high to low):
// the picture is copied into a new 24-bit picture of its size, `burnIn` (when given)
// draws onto the copy, the copy is written, and the list's thumbnails of `path` are
// replaced by one made from the copy. Nothing is written and the list is unchanged
// unless the result is Written.
SaveResult SaveImage(CThumbNail& list, const std::string& path, const CDibImage& image,
                     int saveType, const OverlayBurnIn& burnIn = {});
