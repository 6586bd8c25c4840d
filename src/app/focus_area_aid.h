#pragma once
#include "app/picture_mouse.h"
#include "view/focus_areas.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class CDibImage;
class CFocusDlg;
class QWidget;
struct ColorSettings;

// Focus areas: drawn with the left button once button 1122 armed them, resized by their
// grips with the right button, each with its focus window; values from every frame shown.
class FocusAreaAid : public PictureMouseHandler {
public:
    struct Context {
        QWidget* window = nullptr; // parents the focus windows
        PictureSurface* surface = nullptr;
        const ColorSettings* color = nullptr;
        std::int32_t* focusSelect = nullptr;
        const CDibImage* picture = nullptr; // the picture shown
        // Where a new area's top-left corner is on the screen.
        std::function<QPoint(const DPOINT& image)> toScreen;
    };
    explicit FocusAreaAid(const Context& context);
    ~FocusAreaAid() override;

    // Button 1122 (the caller disarms the measuring tool first).
    void arm();
    bool lampOn() const { return m_areas.lampOn(); }
    // A frame was shown (or another picture opened): every area's value, every window.
    void pictureChanged();
    // Layer 5; the areas whose windows were closed go first.
    void appendOverlay(OverlayList& out, const OverlayMapping& map);
    const FocusAreas& areas() const { return m_areas; }

    bool press(const PictureMouse& e) override;
    bool release(const PictureMouse& e) override;
    bool move(const PictureMouse& e) override;
    bool hover(const PictureMouse& e) override;

private:
    void openWindow(std::size_t index);
    void repaintWindows();

    Context m_ctx;
    FocusAreas m_areas;
    COLORREF m_barColour = 0;
    std::map<std::size_t, CFocusDlg*> m_windows;
};
