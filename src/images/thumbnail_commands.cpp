#include "images/thumbnail_commands.h"

#include "images/thumbnail_store.h"
#include "platform/language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// True for ".../Trash/files", ".../.Trash-<uid>/files" and ".../.Trash/<uid>/files": the
// places of the desktop's trash where a file can be restored from.
bool IsTrashFilesFolder(const QString& folder) {
    const QFileInfo files(folder);
    if (files.fileName() != QLatin1String("files"))
        return false;
    const QFileInfo trash(files.absolutePath());
    const QString name = trash.fileName();
    return name == QLatin1String("Trash") || name.startsWith(QLatin1String(".Trash-")) ||
           QFileInfo(trash.absolutePath()).fileName() == QLatin1String(".Trash");
}

bool MoveToTrash(const QString& path) {
    // The trash under the user's data folder is used only when that folder exists; without
    // it the file would land in "files" under the working folder.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return false;
    if (IsTrashFilesFolder(QFileInfo(inTrash).absolutePath()))
        return true;
    // Somewhere nobody would look for it: put it back.
    const QFileInfo moved(inTrash);
    const QString base = QFileInfo(moved.absolutePath()).absolutePath();
    QFile::remove(base + QLatin1String("/info/") + moved.fileName() + QLatin1String(".trashinfo"));
    QFile::rename(inTrash, path);
    QDir(base).rmdir(QStringLiteral("files")); // only when left empty
    QDir(base).rmdir(QStringLiteral("info"));
    return false;
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
            MoveToTrash(path);
        if (Exists(path))
            return ThumbnailFileResult::FileKept;
    }
    list.MoveTo(index);
    list.RemoveCurrent();
    list.Renumber();
    return ThumbnailFileResult::Done;
}

std::string ThumbnailFileKeptText(ThumbnailFileAction action, const std::string& path) {
    const char* text =
        action == ThumbnailFileAction::Remove
            ? Tr("The file could not be deleted.\n", "ファイルを削除できませんでした。\n")
            : Tr("The file could not be moved to the trash.\n",
                 "ファイルをごみ箱に移動できませんでした。\n");
    return text + path;
}
