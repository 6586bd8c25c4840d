#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class CMeasureDlg;

// Pictures given from outside the window (the command line, a second start) are opened
// in the main window as a thumbnail's picture is. A request may come before the window
// exists (a second start while the first is still making its thumbnails) or while one of
// the program's own modal windows is open (a chooser, the thumbnail browser); it waits
// until the window can take it. Only the newest request waits.
class ExternalPictureOpener : public QObject {
    Q_OBJECT
public:
    explicit ExternalPictureOpener(QObject* parent = nullptr);

    void request(const QString& path);
    // From now on requests go to this window; one already waiting is opened once the
    // window's event loop runs.
    void setWindow(CMeasureDlg* window);
    bool waiting() const { return !m_pending.isEmpty(); }

    static constexpr int kRetryMs = 250;

private:
    void deliver();

    QPointer<CMeasureDlg> m_window;
    QString m_pending;
    QTimer m_retry;
};

// Shows a window in front of the others, as a second start asks for.
void BringToFront(QWidget* window);
