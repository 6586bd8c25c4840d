#include "app/external_picture_opener.h"

#include "app/measure_dlg.h"

#include <QApplication>

void BringToFront(QWidget* window) {
    if (!window)
        return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

ExternalPictureOpener::ExternalPictureOpener(QObject* parent) : QObject(parent) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &ExternalPictureOpener::deliver);
}

void ExternalPictureOpener::request(const QString& path) {
    m_pending = path;
    if (m_window)
        deliver();
}

void ExternalPictureOpener::setWindow(CMeasureDlg* window) {
    m_window = window;
    if (waiting())
        QTimer::singleShot(0, this, &ExternalPictureOpener::deliver);
}

void ExternalPictureOpener::deliver() {
    if (!m_window || !waiting())
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != m_window) {
        // The operator finishes what is open first; the picture then replaces the one shown.
        BringToFront(modal);
        m_retry.start();
        return;
    }
    if (m_window->isVisible()) {
        BringToFront(m_window);
    } else {
        // The window stays hidden while the first camera search runs; its search window
        // comes forward, and the picture is there once the operator goes on without a camera.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isWindow())
                BringToFront(w);
    }
    const QString path = m_pending;
    m_pending.clear();
    m_window->OpenPictureFile(path.toStdString());
}
