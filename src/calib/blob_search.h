#pragma once
#include "platform/int_rect.h"

#include <cstdint>
#include <vector>

// The labelling behind automatic calibration: 8-connected blobs found in one pass with a
// table of provisional labels, then merged. Labels are 0...kMaxBlobLabels - 1; values
// above kLabelLimit mark pixels not labelled yet.

inline constexpr std::int32_t kLabelLimit = 500000;
inline constexpr std::int32_t kMaxBlobLabels = 500000;
inline constexpr std::int32_t kLabelForeground = 1000000;
inline constexpr std::int32_t kLabelBackground = 2000000;

// 32-bit labels, one per pixel, rows in memory order (row 0 is the bottom picture row).
struct LabelImage {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> values;

    void assign(int w, int h, std::int32_t value) {
        width = w;
        height = h;
        values.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), value);
    }
    std::int32_t* row(int y) { return values.data() + static_cast<std::size_t>(y) * width; }
    const std::int32_t* row(int y) const {
        return values.data() + static_cast<std::size_t>(y) * width;
    }
};

// A blob as reported: pixel count, centre (x = sum x / count, y = height - sum y / count:
// rows turned top-down, in integers) and bounding box in label-image rows.
struct FoundBlob {
    std::int64_t count = 0;
    std::int64_t centreX = 0;
    std::int64_t centreY = 0;
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
};

enum class BlobSearchResult { Ok, TooManyLabels };

// Reusable: the tables keep their memory from one search to the next.
class BlobSearch {
  public:
    // Labels the pixels of `labels` equal to kLabelForeground inside `rect` (left, top,
    // right, bottom in memory-row order, right and bottom exclusive) and appends to
    // `found`, in label order, each blob with lower < count < upper, the longer side of
    // its box over the shorter below `aspect`, and a box narrower than 1600 or lower than
    // 1200. The outermost ring of `labels` is set to background first; the rectangle is
    // cut to the pixels inside it. Labels of earlier searches stay in the image.
    // A search that would need more than kMaxBlobLabels labels stops: TooManyLabels,
    // nothing appended.
    BlobSearchResult run(LabelImage& labels, const IntRect& rect, double lower, double upper,
                         double aspect, std::vector<FoundBlob>& found);

  private:
    struct Blob {
        std::int64_t count, sumX, sumY;
        int minX, minY, maxX, maxY;
    };
    void grow(std::size_t size);

    std::vector<std::int32_t> m_table;
    std::vector<Blob> m_blobs;
};
