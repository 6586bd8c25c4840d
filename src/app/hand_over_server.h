#pragma once
#include <QLocalServer>
#include <QObject>
#include <QString>

// The running Mirelta's end of the hand-over: a local socket beside the single-instance
// lock, on which a second start sends the picture it was given (hand_over_message.h).
// Only the holder of the lock listens, so a socket file found there is left over from a
// run that ended without removing it.
class HandOverServer : public QObject {
    Q_OBJECT
public:
    explicit HandOverServer(QObject* parent = nullptr);
    ~HandOverServer() override;
    bool listen(const QString& socketPath);
    QString errorString() const { return m_server.errorString(); }

    // A sender that has not sent its whole request by then is cut off.
    static constexpr int kReadTimeoutMs = 5000;

signals:
    // A request that passed the checks: an absolute path to an existing file.
    void pictureRequested(const QString& path);

private:
    void onNewConnection();
    QLocalServer m_server;
};
