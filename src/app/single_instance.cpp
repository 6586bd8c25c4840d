#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& name, const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = QDir(dir).filePath(name + QStringLiteral(".lock"));
    m_socketPath = QDir(dir).filePath(name + QStringLiteral(".socket"));
}

bool SingleInstance::acquire() {
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never time out a live holder; a lock whose process is gone is removed by
    // QLockFile itself (it checks the recorded process id).
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString app;
        if (m_lock->getLockInfo(&pid, &host, &app) && pid > 0 && !QDir().exists(QStringLiteral("/proc/%1").arg(pid))) {
            if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
                return true;
        }
    }
    m_lock.reset();
    return false;
}
