// The edge image, snapping, the preview, the blob search and automatic calibration on
// arbitrary small pictures: sizes 1...64, any bytes, search rectangles anywhere.
#include "calib/auto_calibration.h"
#include "calib/blob_search.h"
#include "images/dib_image.h"
#include "settings/app_settings.h"
#include "view/edge_image.h"
#include "view/edge_preview.h"
#include "view/snap_to_edge.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Reads the input front to back; past its end every byte is 0.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int signedByte() { return static_cast<std::int8_t>(next()); }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    const int w = 1 + in.next() % 64, h = 1 + in.next() % 64;
    static const int kBitCounts[] = {8, 24, 32};
    const int bitCount = kBitCounts[in.next() % 3];
    const int vector = in.signedByte();

    CDibImage display, grey, edge, preview;
    if (!display.createMemoryOnly(w, h, bitCount) || !grey.createMemoryOnly(w, h, 8) ||
        !edge.createMemoryOnly(w, h, 8) || !preview.createMemoryOnly(w, h, 8))
        return 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * (bitCount / 8); ++x)
            display.scanLine(y)[x] = in.next();

    ComputeEdgeImage(display, grey, edge, vector);
    MagnetSettings magnet;
    magnet.TH = in.signedByte() * 4;
    magnet.Size = in.signedByte();
    magnet.Vector = vector;
    MakeEdgePreview(magnet, edge, display, preview);
    DPOINT p{in.signedByte() * 0.75, in.signedByte() * 0.75};
    SnapToEdge(p, edge, magnet.TH, magnet.Size);

    // The blob search on the picture's first bytes as a mask, over any rectangle.
    LabelImage labels;
    labels.assign(w, h, kLabelBackground);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            labels.row(y)[x] = display.memoryRow(y)[x] < 80 ? kLabelForeground : kLabelBackground;
    const IntRect rect{in.signedByte(), in.signedByte(), in.signedByte(), in.signedByte()};
    BlobSearch search;
    std::vector<FoundBlob> found;
    search.run(labels, rect, in.next() % 8, 1e9, 1.0 + in.next() / 16.0, found);
    // A second search over the labels the first one left.
    search.run(labels, {0, 0, w, h}, 0, 1e9, 1e8, found);

    CALIBRATION c;
    const IntRect region{in.signedByte(), in.signedByte(), in.signedByte(), in.signedByte()};
    AutoCalibrate(display, region, in.next() % 8, in.next(), c);
    return 0;
}
