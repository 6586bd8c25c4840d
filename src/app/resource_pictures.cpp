#include "app/resource_pictures.h"

#include "images/dib_qimage.h"
#include "images/png_decoder.h"

#include <QFile>
#include <QHash>
#include <QPixmap>
#include <QTextStream>

// The resources live in a static library, so their registration is called for
// explicitly rather than left to a static initialiser the linker may drop.
static void InitResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(mirelta);
        return true;
    }();
    (void)done;
}

QImage ResourcePicture(const char* alias) {
    InitResources();
    QFile file(QStringLiteral(":/") + QString::fromUtf8(alias));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Through the program's own PNG decoder, like every picture it shows.
    const QByteArray bytes = file.readAll();
    CDibImage picture;
    if (!DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                   static_cast<std::size_t>(bytes.size()), picture))
        return {};
    return ToQImage(picture);
}

QIcon ResourceIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icon/172"));
    icon.addFile(QStringLiteral(":/icon/172-48"));
    return icon;
}

QCursor ResourceCursor(const char* alias) {
    InitResources();
    // Cursors need their transparency, which the program's picture buffer does not keep.
    const QImage image(QStringLiteral(":/") + QString::fromUtf8(alias), "PNG");
    if (image.isNull())
        return QCursor(Qt::ArrowCursor);
    // Hot spots are listed in cursors.txt as "<file> <x> <y>"; the alias ends in the id.
    static const QHash<QString, QPoint> hotSpots = [] {
        QHash<QString, QPoint> map;
        QFile f(QStringLiteral(":/cursors.txt"));
        if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&f);
            static const QHash<QString, QString> byFile = {
                {"cursor_hand.png", "cursor/138"},
                {"cursor_move.png", "cursor/174"},
                {"cursor_ring.png", "cursor/176"},
                {"cursor_cross.png", "cursor/177"},
            };
            while (!in.atEnd()) {
                const QStringList parts = in.readLine().split(' ', Qt::SkipEmptyParts);
                if (parts.size() == 3)
                    map.insert(byFile.value(parts[0].section('/', -1), parts[0]),
                               QPoint(parts[1].toInt(), parts[2].toInt()));
            }
        }
        return map;
    }();
    const QPoint hot = hotSpots.value(QString::fromUtf8(alias), QPoint(image.width() / 2, image.height() / 2));
    return QCursor(QPixmap::fromImage(image), hot.x(), hot.y());
}
