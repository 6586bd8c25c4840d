#pragma once
#include <QEvent>
#include <QString>

#include <cstddef>
#include <cstdint>

// Posted by the capture's streaming thread to the window that receives frames.
// The numbers carry the window-message value WM_APP + 2 (0x8002) above QEvent::User,
// clear of the event numbers the rest of the program uses.
inline const QEvent::Type WM_FRAME_ARRIVED = static_cast<QEvent::Type>(QEvent::User + 0x8002);
inline const QEvent::Type WM_CAPTURE_ERROR = static_cast<QEvent::Type>(QEvent::User + 0x8003);

// A new frame is in the frame image. `generation` names the capture graph that sent it,
// so that a frame announced by a graph torn down since is recognised and ignored.
//
// The live path allocates nothing per frame: these events come from a small fixed pool
// (the capture keeps at most one outstanding), falling back to the heap only when the
// pool is used up.
class FrameArrivedEvent : public QEvent {
public:
    explicit FrameArrivedEvent(std::uint64_t generation)
        : QEvent(WM_FRAME_ARRIVED), m_generation(generation) {}
    std::uint64_t generation() const { return m_generation; }

    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size);

private:
    std::uint64_t m_generation;
};

// The capture graph reported an error or the end of its stream: the camera has stopped
// delivering (unplugged, busy, format refused).
class CaptureErrorEvent : public QEvent {
public:
    CaptureErrorEvent(std::uint64_t generation, QString text)
        : QEvent(WM_CAPTURE_ERROR), m_generation(generation), m_text(std::move(text)) {}
    std::uint64_t generation() const { return m_generation; }
    const QString& text() const { return m_text; }

private:
    std::uint64_t m_generation;
    QString m_text;
};
