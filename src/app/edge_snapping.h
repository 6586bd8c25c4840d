#pragma once
#include "view/edge_snapper.h"

#include <QObject>
#include <QPointer>

class CDibImage;
class CMagnetDlg;
class ImageButton;
class PictureSurface;
class QAbstractButton;
class QWidget;
struct MagnetSettings;
struct PictureHooks;

// What edge snapping works on in the main window; everything must outlive it.
struct EdgeSnappingContext {
    QWidget* window = nullptr;        // parents the settings window
    QAbstractButton* check = nullptr; // box 1233: snapping on or off
    ImageButton* button = nullptr;    // button 1236: toggles the box; right button: settings
    MagnetSettings* magnet = nullptr;
    const CDibImage* display = nullptr;
    PictureSurface* surface = nullptr;
};

// Edge snapping as the main window has it: the switch and its button, the settings
// window, and the edge image kept with the picture shown. The tools, the editing and the
// cursor snap through PictureHooks::snapToEdge; the paint shows the preview through
// PictureHooks::edgePreview.
class EdgeSnapping : public QObject {
    Q_OBJECT
public:
    EdgeSnapping(const EdgeSnappingContext& context, PictureHooks& hooks);
    ~EdgeSnapping() override;

    // Right-button release on 1236: the settings window, made on first use and placed
    // up and left of the mouse; later it shows again where it was left.
    void ShowMagnetDialog();
    CMagnetDlg* magnetDialog() const;
    const EdgeSnapper& snapper() const { return m_snapper; }

public slots:
    // The camera's pictures were made anew at this size.
    void resize(int width, int height);
    // A camera frame is in the display image.
    void onFrame();
    // Another picture replaced the display image (a thumbnail opened).
    void onStillPicture();

private:
    EdgeSnappingContext m_ctx;
    PictureHooks& m_hooks;
    EdgeSnapper m_snapper;
    QPointer<CMagnetDlg> m_dialog;
};
