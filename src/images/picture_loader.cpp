#include "images/picture_loader.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include <cstdint>
#include <cstring>
#include <utility>

int LoadPictureWithQt(const std::string& path, CDibImage& image) {
    QImageReader reader(QString::fromStdString(path));
    // Refuse giant pictures from their header, before any pixel memory is taken.
    const QSize announced = reader.size();
    if (announced.isValid() &&
        std::int64_t{announced.width()} * announced.height() > CDibImage::kMaxPixels)
        return 0;
    QImage picture = reader.read();
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0 ||
        std::int64_t{picture.width()} * picture.height() > CDibImage::kMaxPixels)
        return 0;

    QImage bgr(picture.size(), QImage::Format_BGR888);
    if (bgr.isNull())
        return 0;
    if (picture.hasAlphaChannel()) {
        // A picture rendered onto a new, zeroed image leaves its transparent parts black.
        bgr.fill(Qt::black);
        QPainter painter(&bgr);
        painter.drawImage(0, 0, picture);
    } else {
        bgr = picture.convertToFormat(QImage::Format_BGR888);
        if (bgr.isNull())
            return 0;
    }

    CDibImage loaded;
    if (!loaded.create(bgr.width(), bgr.height(), 24))
        return 0;
    const std::size_t rowBytes = static_cast<std::size_t>(bgr.width()) * 3;
    for (int y = 0; y < bgr.height(); ++y)
        std::memcpy(loaded.scanLine(y), bgr.constScanLine(y), rowBytes);
    image = std::move(loaded);
    return 1;
}
