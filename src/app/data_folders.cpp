#include "app/data_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

std::string WithSlash(const QString& folder) {
    std::string s = QDir::cleanPath(folder).toStdString();
    if (s.empty() || s.back() != '/')
        s += '/';
    return s;
}

} // namespace

std::string ProgramFolder() { return WithSlash(QCoreApplication::applicationDirPath()); }

std::string SettingsFilePath() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!config.isEmpty()) {
        const QString folder = QDir(config).filePath(QStringLiteral("MRC"));
        if (QDir().mkpath(folder))
            return QDir(folder).filePath(QStringLiteral("Mirelta.ini")).toStdString();
    }
    return ProgramFolder() + "Mirelta.ini";
}

std::string DataFolder() {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        return ProgramFolder();
    const QString folder = QDir(docs).filePath(QStringLiteral("MRC/Mirelta"));
    QDir().mkpath(folder);
    return WithSlash(folder);
}

bool MoveOldSettingsFile(const std::string& oldPath, const std::string& newPath) {
    const QString from = QString::fromStdString(oldPath);
    const QString to = QString::fromStdString(newPath);
    if (QFile::exists(to) || !QFile::exists(from))
        return false;
    if (!QFile::copy(from, to)) // never overwrites
        return false;
    QFile::remove(from);
    return true;
}
