#include "images/thumbnail_commands.h"

#include "images/thumbnail_store.h"
#include "platform/language.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

ThumbnailFileResult RemoveThumbnailFile(CThumbNail& list, int index, ThumbnailFileAction action) {
    // An index that no longer names an entry must not fall back on another one (MoveTo
    // leaves the cursor on the last entry), or the wrong file would go.
    if (index < 0 || list.MoveTo(index) == 0)
        return ThumbnailFileResult::NoEntry;
    const QString path = QString::fromStdString(list.current->path);
    if (Exists(path)) {
        if (action == ThumbnailFileAction::Remove)
            QFile::remove(path);
        else
            QFile::moveToTrash(path);
        if (Exists(path))
            return ThumbnailFileResult::FileKept;
    }
    list.MoveTo(index);
    list.RemoveCurrent();
    list.Renumber();
    return ThumbnailFileResult::Done;
}

QString ThumbnailFileKeptText(ThumbnailFileAction action, const QString& path) {
    const char* text =
        action == ThumbnailFileAction::Remove
            ? Tr("The file could not be deleted.\n%1", "ファイルを削除できませんでした。\n%1")
            : Tr("The file could not be moved to the trash.\n%1",
                 "ファイルをごみ箱に移動できませんでした。\n%1");
    return QString::fromUtf8(text).arg(path);
}
