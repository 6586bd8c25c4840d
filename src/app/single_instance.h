#pragma once
#include <QLockFile>
#include <QString>

#include <memory>

// One Mirelta per desktop session: a lock file named after the program in the
// user's runtime folder. A lock left behind by a crashed run is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name = QStringLiteral("Mirelta"),
                            const QString& folder = QString());
    // True when this process now holds the lock.
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
