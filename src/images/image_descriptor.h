#pragma once
#include <cstdint>
#include <initializer_list>

class CDibImage;

// The plain record that raw-pixel filters (grey conversion, focus measure, edge image)
// take for each image. The pixel layout is CDibImage's: rows bottom-up, `stride` bytes
// apart, starting at `bits`.
//
// The rectangle is in top-down picture coordinates: row 0 is the top picture row, which
// is memory row height - 1. Right and bottom are exclusive. It must lie inside the image.
struct IMAGE_DESCRIPTOR {
    std::uint32_t size = 40; // record size; older or foreign records are smaller
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;
    std::uint16_t bitCount = 0;
    std::uint8_t* bits = nullptr;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

inline constexpr std::uint32_t kImageDescriptorSize = 40;

// Header every filter parameter block starts with: its size in bytes and which filter
// it is meant for.
struct FILTER_PARAMS_HEADER {
    std::uint32_t size = 0;
    std::uint32_t kind = 0;
};

// Results of the raw-pixel filters: 0 on success, otherwise what was wrong.
enum FilterResult : int {
    kFilterOk = 0,
    kFilterNothingGiven = 1,
    kFilterWrongKind = 2,
    kFilterTooSmall = 3,     // record or parameter block
    kFilterNoWidth = 4,      // width 0 (or negative)
    kFilterNoHeight = 5,     // height 0 (or negative)
    kFilterBadStride = 6,    // stride 0, negative, or smaller than width * bytes per pixel
    kFilterBadBitCount = 7,  // 0 or not supported by the filter
    kFilterNoPixels = 8,
    kFilterBadRectangle = 9, // empty, or not wholly inside the image
};

// Describes the whole image. The image must outlive the record's use; a null image gives
// a record of zeros (which validation rejects).
IMAGE_DESCRIPTOR DescribeImage(CDibImage& image);
// For sources: the record's bits point into a const image, so filters must only read
// through it.
IMAGE_DESCRIPTOR DescribeImage(const CDibImage& image);

// Checks a record for a filter that accepts the given bit counts. A stride too small for
// width * bytes per pixel is reported as kFilterBadStride: a filter trusting it would read
// or write past the rows. Checks run in the order of the codes, except that the stride is
// measured against the width only once the bit count is known to be valid.
int ValidateImageDescriptor(const IMAGE_DESCRIPTOR* image,
                            std::initializer_list<int> supportedBitCounts);

// Checks a parameter block: kFilterNothingGiven for none, kFilterWrongKind when its kind
// differs, kFilterTooSmall when it is smaller than minimumSize bytes.
int ValidateFilterParams(const FILTER_PARAMS_HEADER* params, std::uint32_t kind,
                         std::uint32_t minimumSize);
