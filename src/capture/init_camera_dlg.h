#pragma once
#include "capture/camera_state.h"

#include <QDialog>
#include <QTimer>

#include <cstdint>

class Prompt;
class QProgressBar;
class QPushButton;

// The camera-search window, shown while no camera could be started: a progress bar
// that fills in 30 seconds and "Start" to go on without a camera. After 30 seconds it
// says "Imageing device not found" and gives up. The outcome is written to the search
// state the main window reads: WithoutCamera after "Start", GiveUp after giving up or closing.
class CInitCameraDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kProgress = 1222;
    static constexpr int kSeconds = 30;

    CInitCameraDlg(Prompt& prompt, CameraSearch& searchState, QWidget* parent = nullptr);

    // Starts the progress again from 0 (the clock's now).
    void restart();
    // The 1-second timer: advances the progress by the seconds passed since the start;
    // at 30 the message and the give-up.
    void OnTimer();

    QProgressBar* progress() const { return m_progress; }
    QPushButton* startButton() const { return m_start; }
    QTimer& timer() { return m_timer; }

    void accept() override; // "Start"
    void reject() override; // closing, Escape, giving up

private:
    Prompt& m_prompt;
    CameraSearch& m_searchState;
    QProgressBar* m_progress;
    QPushButton* m_start;
    QTimer m_timer;
    std::uint32_t m_startTick = 0;
};
