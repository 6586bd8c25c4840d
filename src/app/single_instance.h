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
    // Where the holder listens for a second start's picture (hand_over_server.h).
    QString socketPath() const { return m_socketPath; }

private:
    QString m_path;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
};
