#pragma once
#include <QElapsedTimer>

#include <memory>

class QProgressDialog;
class QWidget;

// Progress while the thumbnails of a folder are made (CThumbNail::SyncWithFolder). A
// progress dialog appears only once the work has taken `delayMs`; until then user input
// waits, so nothing can change the list half-way, and the windows keep painting.
// Cancel stops making thumbnails; the pictures left get theirs the next time.
class FolderScanProgress {
  public:
    FolderScanProgress(QWidget* parent, int delayMs);
    ~FolderScanProgress();
    FolderScanProgress(const FolderScanProgress&) = delete;
    FolderScanProgress& operator=(const FolderScanProgress&) = delete;

    // The SyncProgress callback: false once the operator cancelled.
    bool operator()(int done, int total);
    bool wasShown() const { return m_shown; }

  private:
    QWidget* m_parent;
    int m_delayMs;
    QElapsedTimer m_timer;
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_shown = false;
};
