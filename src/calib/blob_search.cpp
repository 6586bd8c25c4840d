#include "calib/blob_search.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::size_t kInitialLabels = 10;

} // namespace

void BlobSearch::grow(std::size_t size) {
    for (std::size_t i = m_table.size(); i < size; ++i) {
        m_table.push_back(static_cast<std::int32_t>(i));
        m_blobs.push_back({});
    }
}

BlobSearchResult BlobSearch::run(LabelImage& labels, const IntRect& rect, double lower,
                                 double upper, double aspect, std::vector<FoundBlob>& found) {
    const int w = labels.width, h = labels.height;
    if (w <= 0 || h <= 0)
        return BlobSearchResult::Ok;
    std::fill_n(labels.row(0), w, kLabelBackground);
    std::fill_n(labels.row(h - 1), w, kLabelBackground);
    for (int y = 0; y < h; ++y) {
        labels.row(y)[0] = kLabelBackground;
        labels.row(y)[w - 1] = kLabelBackground;
    }

    m_table.clear();
    m_blobs.clear();
    grow(kInitialLabels);
    std::int32_t next = 0;

    // The ring is background, so nothing on it is labelled; cutting the rectangle to the
    // inside keeps every neighbour within the image.
    const int x0 = std::max(rect.left, 1), x1 = std::min(rect.right, w - 1);
    const int y0 = std::max(rect.top, 1), y1 = std::min(rect.bottom, h - 1);
    for (int y = y0; y < y1; ++y) {
        std::int32_t* row = labels.row(y);
        const std::int32_t* nextRow = labels.row(y + 1);
        const std::int32_t* prevRow = labels.row(y - 1);
        // Pixels given the same label one after another along the row are added to their
        // blob together: the same sums and box, with one update per run.
        std::int32_t runLabel = -1;
        int runStart = 0, runEnd = 0;
        std::int64_t runCount = 0, runSumX = 0;
        auto flush = [&] {
            if (runLabel < 0)
                return;
            Blob& b = m_blobs[static_cast<std::size_t>(runLabel)];
            if (b.count == 0) {
                // A new blob, or a label left by an earlier search: the run is its box.
                b.minX = runStart;
                b.maxX = runEnd;
                b.minY = b.maxY = y;
            } else {
                b.minX = std::min(b.minX, runStart);
                b.maxX = std::max(b.maxX, runEnd);
                b.minY = std::min(b.minY, y);
                b.maxY = std::max(b.maxY, y);
            }
            b.count += runCount;
            b.sumX += runSumX;
            b.sumY += runCount * y;
            runLabel = -1;
        };
        for (int x = x0; x < x1; ++x) {
            if (row[x] != kLabelForeground) {
                flush();
                continue;
            }
            std::int32_t m = kLabelLimit;
            bool linked = false;
            auto visit = [&](std::int32_t n) {
                if (n > kLabelLimit)
                    return;
                linked = true;
                if (n < m) {
                    m = n;
                } else if (n > m) {
                    // A label left by an earlier search may lie beyond the table.
                    if (static_cast<std::size_t>(n) >= m_table.size())
                        grow(static_cast<std::size_t>(n) + 1);
                    m_table[static_cast<std::size_t>(n)] = m;
                }
            };
            visit(row[x + 1]);
            visit(nextRow[x + 1]);
            visit(nextRow[x]);
            visit(nextRow[x - 1]);
            visit(row[x - 1]);
            visit(prevRow[x - 1]);
            visit(prevRow[x]);
            visit(prevRow[x + 1]);
            if (!linked) {
                if (next >= kMaxBlobLabels)
                    return BlobSearchResult::TooManyLabels;
                flush();
                m = next++;
                if (static_cast<std::size_t>(m) >= m_table.size())
                    grow(static_cast<std::size_t>(m) + 1);
                m_blobs[static_cast<std::size_t>(m)] = {};
            } else if (static_cast<std::size_t>(m) >= m_table.size()) {
                grow(static_cast<std::size_t>(m) + 1);
            }
            if (m != runLabel) {
                flush();
                runLabel = m;
                runStart = x;
                runCount = 0;
                runSumX = 0;
            }
            ++runCount;
            runSumX += x;
            runEnd = x;
            row[x] = m;
        }
        flush();
    }

    for (std::size_t i = m_table.size(); i-- > 0;) {
        const auto t = static_cast<std::size_t>(m_table[i]);
        if (t == i)
            continue;
        Blob& from = m_blobs[i];
        Blob& to = m_blobs[t];
        if (from.count == 0)
            continue;
        if (to.count == 0) {
            to = from;
            from = {};
            continue;
        }
        to.count += from.count;
        to.sumX += from.sumX;
        to.sumY += from.sumY;
        to.minX = std::min(to.minX, from.minX);
        to.minY = std::min(to.minY, from.minY);
        to.maxX = std::max(to.maxX, from.maxX);
        to.maxY = std::max(to.maxY, from.maxY);
        from = {};
    }

    for (const Blob& b : m_blobs) {
        if ((b.sumX == 0 && b.sumY == 0) || b.count == 0)
            continue;
        const auto c = static_cast<double>(b.count);
        if (!(lower < c && c < upper))
            continue;
        const int bw = std::max(std::abs(b.maxX - b.minX), 1);
        const int bh = std::max(std::abs(b.maxY - b.minY), 1);
        if (!(static_cast<double>(std::max(bw, bh)) / std::min(bw, bh) < aspect))
            continue;
        if (!(bw < 1600 || bh < 1200))
            continue;
        found.push_back(
            {b.count, b.sumX / b.count, h - b.sumY / b.count, b.minX, b.minY, b.maxX, b.maxY});
    }
    return BlobSearchResult::Ok;
}
