#include "images/dib_qimage.h"

#include <cstring>

QImage ToQImage(const CDibImage& image) {
    if (image.isNull())
        return {};
    const int w = image.width();
    const int h = image.height();
    QImage out;
    switch (image.bitCount()) {
    case 24: out = QImage(w, h, QImage::Format_BGR888); break;
    case 32: out = QImage(w, h, QImage::Format_RGB32); break;
    case 8:
    case 16: out = QImage(w, h, QImage::Format_Indexed8); break;
    default: return {};
    }
    if (out.isNull())
        return {};
    if (image.bitCount() == 8) {
        QList<QRgb> table(256);
        for (int i = 0; i < 256; ++i) {
            const RGBQUAD& q = image.colourTable()[static_cast<std::size_t>(i)];
            table[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
        out.setColorTable(table);
    } else if (image.bitCount() == 16) {
        QList<QRgb> grey(256);
        for (int i = 0; i < 256; ++i)
            grey[i] = qRgb(i, i, i);
        out.setColorTable(grey);
    }
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = image.scanLine(y);
        std::uint8_t* dst = out.scanLine(y);
        if (image.bitCount() == 16) {
            for (int x = 0; x < w; ++x)
                dst[x] = static_cast<std::uint8_t>((src[2 * x] | (src[2 * x + 1] << 8)) >> 2);
        } else {
            std::memcpy(dst, src, static_cast<std::size_t>(w) * image.bytesPerPixel());
        }
    }
    return out;
}
