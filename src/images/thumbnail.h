#pragma once
#include "images/dib_image.h"

#include <cstdint>
#include <string>

// One saved picture: its path and a small copy of it. Copying a record copies the picture.
class THUMBNAIL {
  public:
    std::int32_t id = 0;
    std::int32_t index = 0;
    CDibImage image;  // 24 bits, thumbWidth x thumbHeight of the list
    std::string path; // full path of the saved picture file
    THUMBNAIL* prev = nullptr;
    THUMBNAIL* next = nullptr;

    THUMBNAIL() = default;
    THUMBNAIL(const THUMBNAIL& other);
    THUMBNAIL& operator=(const THUMBNAIL& other);
    ~THUMBNAIL() = default;
};
