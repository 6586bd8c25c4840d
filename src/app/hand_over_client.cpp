#include "app/hand_over_client.h"

#include "app/hand_over_message.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

HandOverResult HandPictureOver(const QString& socketPath, const QString& absolutePath, int timeoutMs) {
    const std::string request = handover::EncodeOpenRequest(absolutePath.toStdString());
    if (request.empty())
        return HandOverResult::Refused;
    const QDeadlineTimer deadline(timeoutMs);
    // The socket appears right after the lock is taken; a start that is that far along
    // answers within this time or not at all.
    const QDeadlineTimer connectDeadline(std::min(timeoutMs, 3000));
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(static_cast<int>(connectDeadline.remainingTime())))
            break;
        if (connectDeadline.hasExpired())
            return HandOverResult::NoAnswer;
        QThread::msleep(100);
    }
    socket.write(request.data(), static_cast<qint64>(request.size()));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return HandOverResult::NoAnswer;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return HandOverResult::NoAnswer;
    char answer = 0;
    socket.read(&answer, 1);
    return answer == handover::kAccepted ? HandOverResult::Accepted : HandOverResult::Refused;
}
