#pragma once
#include "app/cross_line_handler.h"
#include "view/cross_line_model.h"

#include <functional>
#include <memory>
#include <optional>

class CCrossLineSetDlg;
class Choosers;
class OverlayList;
class Profile;
class QWidget;
struct CALIBRATION;
struct OverlayMapping;

// What the cross lines take from the main window.
struct CrossLineAidContext {
    QWidget* window = nullptr; // parents the cross-line window
    Choosers* choosers = nullptr;
    PictureSurface* surface = nullptr;
    // Edge snapping as it is now (empty while off).
    std::function<CrossLineHandler::Snap()> snap;
    // The mouse over the picture in image pixels, snapped; none while it was not there.
    std::function<std::optional<DPOINT>()> cursor;
};

// Cross lines: the two lists, their window (made hidden at once), their mouse handler
// and their drawing. Loaded when made, saved by save().
class CrossLineAid {
public:
    CrossLineAid(const CrossLineAidContext& context, const Profile& profile);
    ~CrossLineAid();

    CrossLineModel& model() { return m_model; }
    CCrossLineSetDlg& window() { return *m_window; }
    PictureMouseHandler& handler() { return *m_handler; }

    // Button 1219: the window's top-left corner 400 pixels left of and 100 above the
    // mouse, its size kept, shown.
    void showNearCursor();
    // Another calibration was chosen (or the chosen one changed).
    void calibrationChanged(const CALIBRATION* calibration);
    // Layer 3.
    void appendOverlay(OverlayList& out, const OverlayMapping& map) const;
    bool save(Profile& profile) const;

private:
    CrossLineAidContext m_ctx;
    CrossLineModel m_model;
    CCrossLineSetDlg* m_window; // a child of the main window
    std::unique_ptr<CrossLineHandler> m_handler;
};
