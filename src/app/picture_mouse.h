#pragma once
#include "model/dpoint.h"

#include <QPoint>
#include <Qt>

// One mouse event on the picture, as every handler sees it. Positions are
// window-client pixels; the picture pixel under them is worked out once.
struct PictureMouse {
    QPoint client;
    DPOINT image;
    bool inside = false; // within the picture area
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers modifiers;

    bool left() const { return button == Qt::LeftButton; }
    bool right() const { return button == Qt::RightButton; }
    bool shift() const { return modifiers & Qt::ShiftModifier; }
};

// What the handlers change on the window: its cursor, the crosshair, repaints.
class PictureSurface {
public:
    virtual ~PictureSurface() = default;
    // Cursor codes of CursorCode (view/direction_cursor.h).
    virtual void setCursorType(int type) = 0;
    virtual int cursorType() const = 0;
    // The system cursor over the picture; hidden while the crosshair alone marks the spot.
    virtual void showSystemCursor(bool show) = 0;
    // The crosshair that follows the mouse (`m_bCrossCursor`).
    virtual void setCrossCursor(bool on) = 0;
    virtual bool crossCursor() const = 0;
    virtual void invalidatePicture() = 0;
    // The tool lamps and the rest of the window.
    virtual void refreshWindow() = 0;
};

// One feature's share of the picture's mouse. Each call says whether the feature took
// the event; a taken event goes no further down the chain. Defaults take nothing.
class PictureMouseHandler {
public:
    virtual ~PictureMouseHandler() = default;
    virtual bool press(const PictureMouse&) { return false; }
    virtual bool release(const PictureMouse&) { return false; }
    virtual bool doubleClick(const PictureMouse&) { return false; }
    // A move while the feature holds the mouse (a drag, or an armed tool).
    virtual bool move(const PictureMouse&) { return false; }
    // A move that nobody holds: cursor feedback over what the feature shows.
    virtual bool hover(const PictureMouse&) { return false; }
};
