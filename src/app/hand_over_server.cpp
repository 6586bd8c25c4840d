#include "app/hand_over_server.h"

#include "app/hand_over_message.h"

#include <QLocalSocket>
#include <QTimer>

#include <memory>

HandOverServer::HandOverServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QLocalServer::newConnection, this, &HandOverServer::onNewConnection);
}

HandOverServer::~HandOverServer() { m_server.close(); }

bool HandOverServer::listen(const QString& socketPath) {
    // Only this user may connect, whatever the folder's own permissions.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath);
    return m_server.listen(socketPath);
}

void HandOverServer::onNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto reader = std::make_shared<handover::OpenRequestReader>();
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, [socket] { socket->abort(); });
        timeout->start(kReadTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader, timeout] {
            char buffer[1024];
            while (reader->state() == handover::OpenRequestReader::State::NeedMore) {
                const qint64 n = socket->read(buffer, sizeof buffer);
                if (n <= 0)
                    break;
                reader->feed(buffer, static_cast<std::size_t>(n));
            }
            using State = handover::OpenRequestReader::State;
            if (reader->state() == State::NeedMore)
                return;
            timeout->stop();
            const bool accepted = reader->state() == State::Complete &&
                                  handover::CheckPicturePath(reader->path()) == handover::PathProblem::None;
            const QString path = accepted ? QString::fromStdString(reader->path()) : QString();
            socket->write(accepted ? &handover::kAccepted : &handover::kRefused, 1);
            socket->disconnectFromServer();
            // Nothing more is read from this sender.
            disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
            if (accepted)
                emit pictureRequested(path);
        });
    }
}
