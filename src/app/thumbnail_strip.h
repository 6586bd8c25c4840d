#pragma once
#include "images/strip_scroll.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <string>
#include <vector>

class CDibImage;
class CThumbNail;
class CameraControl;
class PictureSurface;
class QScrollBar;
class QWidget;
struct DpiScale;
class PopupMenu;
class Prompt;
class QImage;

// What the strip works on; owned by the main window.
struct ThumbnailStripContext {
    QWidget* window = nullptr;        // positions are its client pixels; parents the browser
    QWidget* box = nullptr;           // group box 1129, whose mouse the strip watches
    QScrollBar* scroll = nullptr;     // 1074
    const DpiScale* scale = nullptr;
    PictureSurface* surface = nullptr; // the window's cursor
    CameraControl* camera = nullptr;  // stopped when a thumbnail is opened
    const QImage* tile = nullptr;     // the background of the browser
    // An opened thumbnail's picture replaces the one shown (null: it could not be read,
    // the picture stays); the picture area is laid out again either way.
    std::function<void(CDibImage* picture)> showPicture;
};

// The message for a picture file that could not be read, in the program's language.
std::string UnreadablePictureText(const std::string& path);

// The thumbnail strip under the picture (group box 1129, scroll bar 1074): its scroll
// range, the mouse on its cells (drag to scroll, double-click to open, right button for
// "Open", "Remove" and "Trash box"), opening a thumbnail's picture, and THUMB (1133).
// Watches the group box's mouse events.
class ThumbnailStrip : public QObject {
    Q_OBJECT
  public:
    ThumbnailStrip(ThumbnailStripContext context, CThumbNail& list, Prompt& prompt, PopupMenu& menu);

    // The group box in the dialog's client coordinates and the cells in it, as painted.
    IntRect box() const;
    StripMetrics metrics() const;
    // The entry whose shown cell holds a client position, or -1.
    int entryAt(QPoint client) const;
    int firstShown() const;
    // What the strip painter shows: every thumbnail with its file name, in list order.
    std::vector<StripEntry> entries() const;

    void UpdateStripScroll();
    // Stops the camera and shows entry i's picture for measuring.
    void OpenThumbnail(int i);
    // The same for a picture that is not in the list (the command line); a file that
    // cannot be read is reported and changes nothing, the camera keeps running.
    bool OpenPictureFile(const std::string& path);
    // A command of the pop-up menu on the strip's selected entry.
    void onCommand(int command);
    // THUMB: the thumbnail browser; its choice is opened.
    void OnThumb();

    int selectedEntry() const { return m_selected; }
    bool dragging() const { return m_bThumbDrag != 0; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void invalidate();
    void stopCamera();
    void show(CDibImage& picture);
    void reportUnreadable(const std::string& path);

    ThumbnailStripContext m_ctx;
    CThumbNail& m_list;
    Prompt& m_prompt;
    PopupMenu& m_menu;
    int m_selected = 0;
    int m_bThumbDrag = 0;
    int m_ThumbDragX = 0;
};
