#include "capture/init_camera_dlg.h"

#include "platform/prompt.h"
#include "platform/clock.h"
#include "platform/language.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CInitCameraDlg::CInitCameraDlg(Prompt& prompt, CameraSearch& searchState, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_searchState(searchState) {
    setWindowTitle(QString::fromUtf8(Tr("Search camera ...", "カメラ接続待ち")));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("item%1").arg(kProgress));
    m_progress->setRange(0, kSeconds);
    m_progress->setTextVisible(false);
    m_progress->setAccessibleName(QString::fromUtf8(Tr("Search camera ...", "カメラ接続待ち")));
    layout->addWidget(m_progress);
    auto* row = new QHBoxLayout;
    row->addStretch();
    m_start = new QPushButton(QString::fromUtf8(Tr("Start", "起動")), this);
    m_start->setAccessibleName(m_start->text());
    row->addWidget(m_start);
    layout->addLayout(row);
    connect(m_start, &QPushButton::clicked, this, &CInitCameraDlg::accept);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CInitCameraDlg::OnTimer);
    resize(380, 80);
    restart();
}

void CInitCameraDlg::restart() {
    m_startTick = GetTickCount();
    m_progress->setValue(0);
    m_timer.start();
}

void CInitCameraDlg::OnTimer() {
    const std::uint32_t elapsed = GetTickCount() - m_startTick;
    const int seconds = static_cast<int>(std::min<std::uint32_t>(elapsed / 1000, kSeconds));
    m_progress->setValue(seconds);
    if (seconds < kSeconds)
        return;
    m_timer.stop();
    m_prompt.ask(this, Tr("Imageing device not found", "カメラが見つかりません"), "Mirelta",
                 PromptButtons::Ok, PromptIcon::None);
    reject();
}

void CInitCameraDlg::accept() {
    m_timer.stop();
    m_searchState = CameraSearch::WithoutCamera;
    QDialog::accept();
}

void CInitCameraDlg::reject() {
    m_timer.stop();
    m_searchState = CameraSearch::GiveUp;
    QDialog::reject();
}
