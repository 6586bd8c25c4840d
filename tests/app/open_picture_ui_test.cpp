// Pictures opened from outside the window: the command line of a fresh start, and a second
// start handing its picture to the running window over the local socket.
#include "app/external_picture_opener.h"
#include "app/hand_over_message.h"
#include "app/hand_over_server.h"
#include "app/single_instance.h"

#include "main_window_fixture.h"

#include <QDialog>
#include <QDeadlineTimer>
#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace {

// A 2 x 1 GIF (Qt writes none): one red and one green pixel.
const unsigned char kGif[] = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 255, 0, 0, 0, 255, 0,
                              ',', 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x44, 0x0A, 0, ';'};

class OpenPictureTest : public MainWindowTest {
  protected:
    // A picture of the given size in the format its extension names.
    std::string picture(const std::string& name, int width, int height) {
        const std::string path = temp.file(name);
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(QColor(200, 40, 10));
        EXPECT_TRUE(image.save(QString::fromStdString(path))) << name;
        return path;
    }
    // The environment of a Mirelta started by the test: its own home and runtime folder.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), QString::fromStdString(home.path()));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(home.file("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.path()));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return env;
    }
    // Runs Mirelta to its end while this process keeps serving its own window.
    int runProgram(const QStringList& arguments, QString* errors = nullptr, const std::string& folder = {}) {
        QProcess process;
        process.setProcessEnvironment(environment());
        if (!folder.empty())
            process.setWorkingDirectory(QString::fromStdString(folder));
        process.start(QStringLiteral(MIRELTA_PROGRAM), arguments);
        EXPECT_TRUE(process.waitForStarted());
        QDeadlineTimer deadline(30000);
        while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            process.waitForFinished(20);
        }
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "still running: " << arguments.join(' ').toStdString();
        }
        if (errors)
            *errors = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    // This process as the running Mirelta: the lock, the socket and the window.
    void runAsFirst() {
        CMeasureDlg& d = open();
        ASSERT_TRUE(instance.acquire());
        QObject::connect(&server, &HandOverServer::pictureRequested, &opener, &ExternalPictureOpener::request);
        ASSERT_TRUE(server.listen(instance.socketPath())) << server.errorString().toStdString();
        opener.setWindow(&d);
    }

    TempDir home;
    TempDir runtime;
    SingleInstance instance{QStringLiteral("Mirelta"), QString::fromStdString(runtime.path())};
    HandOverServer server;
    ExternalPictureOpener opener;
};

TEST_F(OpenPictureTest, EveryPictureTypeOpensAsAThumbnailDoes) {
    CMeasureDlg& d = open();
    WriteBytes(temp.file("g.gif"), std::string(reinterpret_cast<const char*>(kGif), sizeof kGif));
    struct Case {
        std::string path;
        int width, height;
    };
    const Case cases[] = {
        {picture("b.bmp", 31, 17), 31, 17}, {picture("j.jpg", 64, 48), 64, 48},
        {picture("p.png", 20, 30), 20, 30}, {picture("t.tif", 40, 10), 40, 10},
        {temp.file("g.gif"), 2, 1},
    };
    QSignalSpy replaced(&d, &CMeasureDlg::displayImageReplaced);
    for (const Case& c : cases) {
        camera.current.started = true;
        camera.current.stopped = false;
        const int live = camera.liveRequests;
        EXPECT_TRUE(d.OpenPictureFile(c.path)) << c.path;
        // The camera is stopped, the picture shown and the pictures made from it (the
        // edge image) made again, as for a thumbnail.
        EXPECT_EQ(camera.liveRequests, live + 1) << c.path;
        EXPECT_EQ(d.displayImage().width(), c.width) << c.path;
        EXPECT_EQ(d.displayImage().height(), c.height) << c.path;
    }
    EXPECT_EQ(replaced.count(), 5);
    EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(OpenPictureTest, AFileThatCannotBeReadIsReportedAndChangesNothing) {
    CMeasureDlg& d = open();
    fillDisplay(10, 20, 30);
    const int width = d.displayImage().width();
    camera.current.started = true;
    camera.current.stopped = false;
    QSignalSpy replaced(&d, &CMeasureDlg::displayImageReplaced);
    WriteBytes(temp.file("broken.jpg"), "not a picture");
    for (const std::string& path : {temp.file("broken.jpg"), temp.file("missing.png"), temp.path()}) {
        EXPECT_FALSE(d.OpenPictureFile(path)) << path;
        EXPECT_EQ(camera.liveRequests, 0) << path; // the camera keeps running
    }
    EXPECT_EQ(replaced.count(), 0);
    EXPECT_EQ(d.displayImage().width(), width);
    EXPECT_EQ(d.displayImage().scanLine(0)[0], 30);
    ASSERT_EQ(prompt.asked().size(), 3u);
    EXPECT_EQ(prompt.asked()[0].text, "The picture could not be read.\n" + temp.file("broken.jpg"));
}

TEST_F(OpenPictureTest, AStartupPictureWaitsForTheWindowAndForAnOpenDialog) {
    const std::string first = picture("first.png", 21, 11);
    const std::string second = picture("second.png", 33, 22);
    // As at start: the request comes before the window exists.
    opener.request(QString::fromStdString(first));
    CMeasureDlg& d = open();
    opener.setWindow(&d);
    QTRY_COMPARE(d.displayImage().width(), 21);

    // A dialog of the program is open: the picture waits until it is closed.
    QDialog chooser(&d);
    chooser.setModal(true);
    chooser.show();
    QCoreApplication::processEvents();
    opener.request(QString::fromStdString(second));
    QTest::qWait(2 * ExternalPictureOpener::kRetryMs);
    EXPECT_EQ(d.displayImage().width(), 21);
    EXPECT_TRUE(opener.waiting());
    chooser.close();
    QTRY_COMPARE(d.displayImage().width(), 33);
    EXPECT_FALSE(opener.waiting());
}

TEST_F(OpenPictureTest, ASecondStartHandsItsPictureToTheRunningWindowAndEnds) {
    runAsFirst();
    picture("handed.jpg", 48, 36);
    camera.current.started = true;
    // Given relative to the second start's working folder, after one of Qt's own options.
    EXPECT_EQ(runProgram({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("handed.jpg")},
                         nullptr, temp.path()),
              0);
    QTRY_COMPARE(dlg->displayImage().width(), 48);
    EXPECT_EQ(dlg->displayImage().height(), 36);
    EXPECT_EQ(camera.liveRequests, 1);

    // A file that exists but is no picture: the running window says so and keeps its picture.
    WriteBytes(temp.file("broken.png"), "no picture");
    EXPECT_EQ(runProgram({QString::fromStdString(temp.file("broken.png"))}), 0);
    QTRY_COMPARE(prompt.asked().size(), std::size_t{1});
    EXPECT_EQ(dlg->displayImage().width(), 48);
    EXPECT_EQ(camera.liveRequests, 1);
}

TEST_F(OpenPictureTest, TheServerTakesNoMalformedOrForgedRequest) {
    runAsFirst();
    QSignalSpy requested(&server, &HandOverServer::pictureRequested);
    auto send = [&](const QByteArray& bytes) {
        QLocalSocket socket;
        socket.connectToServer(instance.socketPath());
        EXPECT_TRUE(socket.waitForConnected(2000));
        socket.write(bytes);
        socket.waitForBytesWritten(2000);
        QByteArray answer;
        QDeadlineTimer deadline(5000);
        while (answer.isEmpty() && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            socket.waitForReadyRead(10);
            answer += socket.readAll();
        }
        return answer;
    };
    const QByteArray missing = QByteArray::fromStdString(handover::EncodeOpenRequest(temp.file("none.png")));
    const QByteArray folder = QByteArray::fromStdString(handover::EncodeOpenRequest(temp.path()));
    EXPECT_EQ(send(missing), QByteArray(1, handover::kRefused));
    EXPECT_EQ(send(folder), QByteArray(1, handover::kRefused));
    EXPECT_EQ(send("MRL1\xff\xff\xff\xff"), QByteArray(1, handover::kRefused));
    EXPECT_EQ(requested.count(), 0);
    EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(OpenPictureTest, TwoProgramsFirstWithAPictureThenASecondHandingOneOver) {
    const QString first = QString::fromStdString(picture("first.png", 16, 16));
    const QString second = QString::fromStdString(picture("second.jpg", 16, 16));
    QProcess running;
    running.setProcessEnvironment(environment());
    running.start(QStringLiteral(MIRELTA_PROGRAM), {QStringLiteral("--demo-camera"), first});
    ASSERT_TRUE(running.waitForStarted());
    // The socket appears once the first holds the lock.
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(runtime.file("Mirelta.socket")), 20000);
    QString errors;
    EXPECT_EQ(runProgram({second}, &errors), 0) << errors.toStdString();
    EXPECT_EQ(running.state(), QProcess::Running);
    running.terminate();
    running.waitForFinished(5000);
}

} // namespace
