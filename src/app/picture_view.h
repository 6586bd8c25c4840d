#pragma once
#include "app/picture_mouse.h"
#include "calib/view_mapping.h"
#include "platform/logfont.h"
#include "view/overlay_list.h"

#include <QImage>
#include <QWidget>

#include <functional>

class CDibImage;
class PictureMouseChain;
struct OverlayInputs;
struct PictureHooks;

// The picture area of the main window (control 1072): it paints the picture with its
// overlay, composed off-screen and copied in one step, and hands its mouse to the
// picture's handler chain. Positions handed on are window-client pixels.
class PictureView : public QWidget {
    Q_OBJECT
public:
    // What is shown; owned by the window.
    struct Content {
        const CDibImage* picture = nullptr;
        const ViewMapping* view = nullptr;
        const PictureHooks* hooks = nullptr;
        std::function<OverlayInputs()> overlay;
        const LOGFONT* labelFont = nullptr;
    };

    explicit PictureView(QWidget* window);

    void setContent(Content content) { m_content = std::move(content); }
    void setMouseChain(PictureMouseChain* chain) { m_chain = chain; }

    // The area and the picture's size, in window-client pixels.
    ViewGeometry viewGeometry() const;
    // The picture area as composed by the last paint.
    const QImage& composed() const { return m_composed; }
    // The last mouse position over the window, and whether there was one yet.
    QPoint mousePosition() const { return m_mouse; }
    bool mouseSeen() const { return m_mouseSeen; }

    // Events the window received outside this view go down the same chain.
    enum class Event { Press, Release, DoubleClick, Move };
    void offer(Event kind, QPoint client, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void offerLocal(Event kind, QMouseEvent* event);

    Content m_content;
    PictureMouseChain* m_chain = nullptr;
    QImage m_composed;
    OverlayList m_scratch;
    OverlayList m_windowOnly;
    QPoint m_mouse;
    bool m_mouseSeen = false;
};
