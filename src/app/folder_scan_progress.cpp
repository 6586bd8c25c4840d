#include "app/folder_scan_progress.h"

#include "platform/language.h"

#include <QCoreApplication>
#include <QProgressDialog>

FolderScanProgress::FolderScanProgress(QWidget* parent, int delayMs)
    : m_parent(parent), m_delayMs(delayMs) {}

FolderScanProgress::~FolderScanProgress() = default;

bool FolderScanProgress::operator()(int done, int total) {
    if (!m_timer.isValid())
        m_timer.start();
    if (done >= total) {
        m_dialog.reset();
        return true;
    }
    if (!m_dialog && m_timer.elapsed() >= m_delayMs) {
        m_dialog = std::make_unique<QProgressDialog>(
            QString::fromUtf8(Tr("Making thumbnails of the pictures in the save folder...",
                                 "保存先フォルダの画像のサムネイルを作成しています...")),
            QString::fromUtf8(Tr("Cancel", "キャンセル")), 0, total, m_parent);
        m_dialog->setWindowTitle(QStringLiteral("Mirelta"));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->show();
        m_shown = true;
    }
    if (m_dialog) {
        m_dialog->setValue(done);
        // The dialog is modal: only it takes input while the rest waits.
        QCoreApplication::processEvents();
        return !m_dialog->wasCanceled();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}
