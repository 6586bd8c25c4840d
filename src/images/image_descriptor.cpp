#include "images/image_descriptor.h"

#include "images/dib_image.h"

#include <algorithm>

IMAGE_DESCRIPTOR DescribeImage(CDibImage& image) {
    IMAGE_DESCRIPTOR d;
    if (image.isNull())
        return d;
    d.width = image.width();
    d.height = image.height();
    d.stride = image.stride();
    d.bitCount = static_cast<std::uint16_t>(image.bitCount());
    d.bits = image.bits();
    d.right = image.width();
    d.bottom = image.height();
    return d;
}

IMAGE_DESCRIPTOR DescribeImage(const CDibImage& image) {
    // The record type has one pointer for sources and destinations alike.
    return DescribeImage(const_cast<CDibImage&>(image));
}

int ValidateImageDescriptor(const IMAGE_DESCRIPTOR* image,
                            std::initializer_list<int> supportedBitCounts) {
    if (!image)
        return kFilterNothingGiven;
    if (image->size < kImageDescriptorSize)
        return kFilterTooSmall;
    if (image->width <= 0)
        return kFilterNoWidth;
    if (image->height <= 0)
        return kFilterNoHeight;
    if (image->stride <= 0)
        return kFilterBadStride;
    if (image->bitCount == 0 ||
        std::find(supportedBitCounts.begin(), supportedBitCounts.end(), image->bitCount) ==
            supportedBitCounts.end())
        return kFilterBadBitCount;
    const std::int64_t rowBytes = std::int64_t{image->width} * ((image->bitCount + 7) / 8);
    if (image->stride < rowBytes)
        return kFilterBadStride;
    if (!image->bits)
        return kFilterNoPixels;
    if (image->left < 0 || image->top < 0 || image->right > image->width ||
        image->bottom > image->height || image->right <= image->left ||
        image->bottom <= image->top)
        return kFilterBadRectangle;
    return kFilterOk;
}

int ValidateFilterParams(const FILTER_PARAMS_HEADER* params, std::uint32_t kind,
                         std::uint32_t minimumSize) {
    if (!params)
        return kFilterNothingGiven;
    if (params->kind != kind)
        return kFilterWrongKind;
    if (params->size < minimumSize || params->size < sizeof(FILTER_PARAMS_HEADER))
        return kFilterTooSmall;
    return kFilterOk;
}
