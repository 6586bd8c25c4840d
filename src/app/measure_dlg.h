#pragma once
#include "settings/app_settings.h"
#include "app/dpi_scale.h"
#include "app/picture_mouse.h"
#include "app/picture_mouse_chain.h"
#include "app/picture_view.h"
#include "calib/calib_chain.h"
#include "calib/view_mapping.h"
#include "capture/camera_state.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "images/dib_image.h"
#include "images/image_saving.h"
#include "images/thumbnail_store.h"
#include "platform/profile.h"
#include "view/measure_editor.h"
#include "view/measure_tools.h"
#include "view/overlay_list.h"
#include "view/picture_hooks.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>
#include <string>

class CCColorSet;
class CrossLineAid;
class FocusAreaAid;
class FocusLineHandler;
class FocusProfile;
class CalibrationHandler;
class EditHandler;
class EdgeSnapping;
class PanHandler;
class ScaleBarHandler;
class ToolHandler;
class CCalibrationSet;
class CResultListView;
class Choosers;
class DialogChoosers;
class ImageButton;
class LiveView;
class PictureSaving;
class PopupMenu;
class Prompt;
class QMenuPopup;
class QPainter;
struct CameraSources;
class ThumbnailStrip;
struct OverlayInputs;
struct PictureLayoutInput;

// What the program passes to its main window; tests replace the seams.
struct MeasureDlgOptions {
    Prompt* prompt = nullptr;          // message boxes; required
    Choosers* choosers = nullptr;      // file, folder, colour and font choosers; null: the program's dialogs
    PopupMenu* popupMenu = nullptr;    // pop-up menus; null: the program's menus
    int thumbnailProgressDelayMs = 500; // making thumbnails shows progress after this
    std::optional<DpiScale> dpi;       // screen dpi override (tests)
    std::string settingsPath;          // empty: the user's settings file
    std::string dataFolder;            // empty: <Documents>/MRC/Mirelta/
    std::string oldSettingsPath;       // empty: Mirelta.ini beside the program
    const CameraSources* cameras = nullptr; // the cameras offered; nullptr: no camera at all
    CameraControl* camera = nullptr;   // stands in for the live camera (tests); null: the cameras'
};

// The main window: picture area, right-hand button panel, results list and
// thumbnail strip. Owns everything for the life of the process.
class CMeasureDlg : public QDialog, public PictureSurface {
    Q_OBJECT
public:
    static constexpr int kTimerTitle = 1224;  // 100 ms
    static constexpr int kTimerCamera = 1324; // 300 ms

    explicit CMeasureDlg(const MeasureDlgOptions& options, QWidget* parent = nullptr);
    ~CMeasureDlg() override;

    // The control registered under a numeric id, or nullptr.
    QWidget* item(int id) const;
    template <class T> T* itemAs(int id) const { return qobject_cast<T*>(item(id)); }

    const DpiScale& dpiScale() const { return m_scale; }
    int ScaleX(int n) const { return m_scale.x(n); }
    int ScaleY(int n) const { return m_scale.y(n); }

    // Room kept for the right-hand panel and the thumbnail strip, measured at start.
    int panelRoom() const { return m_panelRoom; }
    int stripRoom() const { return m_stripRoom; }

    // Cursor mode over the picture, a CursorCode (view/direction_cursor.h).
    void setCursorType(int type) override;
    int cursorType() const override { return m_CursorType; }
    // The system cursor is hidden over the picture while measuring (the crosshair shows).
    bool cursorHidden() const { return m_cursorHidden; }
    void showSystemCursor(bool show) override;
    // The crosshair over the picture (set by the measuring tools while they point at it).
    void setCrossCursor(bool on) override;
    bool crossCursor() const override { return m_bCrossCursor; }
    void refreshWindow() override;

    // Runs the layout of the controls and the picture area for the current client size.
    void layoutControls();
    void layoutPicture();

    QTimer& titleTimer() { return m_timerTitle; }
    QTimer& cameraTimer() { return m_timerCamera; }

    // The camera as the title, the saving and the thumbnails see it.
    const CameraState& camera() const { return m_camera->state(); }

    void requestRepaint() { m_repaintRequested = true; }

    // Settings of section "Mirelta", read at start and written when the window closes.
    AppSettings& settings() { return m_settings; }
    Profile& profile() { return *m_profile; }
    // The live camera; nullptr when the window was opened without cameras.
    LiveView* liveView() const { return m_live; }
    CCalibChain& calibrations() { return m_CalibChain; }
    // The picture shown: the camera frame, or a reopened picture.
    CDibImage& displayImage() { return m_display; }

    // Finished measurements and the one being drawn.
    CMeasureChain& measurements() { return m_MeasureChain; }
    MEASURE& workingMeasure() { return m_Measure; }
    // The calibration chosen in the calibration combo box.
    CALIBRATION* selectedCalibration();
    const std::string& settingsPath() const { return m_settingsPath; }
    int magnification() const { return m_view.m_Bai; }
    // Asks "Do you quit the application ?" and ends the dialog on Yes.
    void askQuit();

    // Screen magnification and scrolling: `m_Bai`, `m_Bai_X`, `m_Bai_Y`.
    ViewMapping& view() { return m_view; }
    // A left drag on the picture is scrolling it.
    bool panning() const;
    // Features that draw on the picture plug in here.
    PictureHooks& pictureHooks() { return m_pictureHooks; }
    // The right-button editing of finished measurements.
    const CMeasureEditor& editor() const { return m_editor; }
    // Arms tool 1 ... 6 or disarms with 0; the tool lamps follow.
    void ResetTool(int tool);

    // The picture area (control 1072) in client pixels and the display image's size,
    // taken afresh.
    QRect pictureRect() const;
    ViewGeometry viewGeometry() const;
    DPOINT WindowToImage(const QPointF& client) const;
    DPOINT ImageToWindow(const DPOINT& image) const;
    // Repaints the picture area without erasing it.
    void invalidatePicture() override;
    // The magnification combo box's change (and the wheel outside the picture): the
    // centre of the picture area stays, then the layout.
    void SetMagnification(int index);
    // The overlay layers and the measurement being drawn burnt into a 24-bit picture of
    // the display image's size, as at x1 and offset 0; the view is not touched.
    int DrawOverlayOntoImage(CDibImage& image);
    // The picture area as composed by the last paint.
    const QImage& composedPicture() const { return m_picture->composed(); }
    // The last mouse position in client pixels, as the paint and the tools see it.
    QPoint mousePosition() const { return m_picture->mousePosition(); }
    // COLOR (button 1117): opens the display settings, or brings them to view.
    void OnColor();
    CCColorSet* colorSetWindow() const;
    Choosers& choosers() { return *m_choosers; }

    // The results list (1118) and the calibration window.
    CResultListView& resultList() { return *m_resultList; }
    CCalibrationSet& calibrationSet() { return *m_CalibrationSet; }
    // Choosing a calibration (combo 1125): factors into m_ScaleData, every
    // measurement recomputed and its rows rewritten in the new unit.
    void ApplyCalibration();
    // Every row of the results list made again from m_MeasureChain.
    void RebuildResultList();
    // DELETE (1119), CSV (1127), load results (1116), CALIB (1124).
    void OnDelete();
    void OnCsv();
    void OnLoadResults();
    void OnCalib();

    // Thumbnails of the save folder, shown in the strip and the browser.
    CThumbNail& thumbnails() { return m_ThumbNail; }
    PictureSaving& saving() { return *m_saving; }
    ThumbnailStrip& strip() { return *m_strip; }
    // The strip's scroll range for the list and the strip's width.
    void UpdateStripScroll();
    // Stops the camera and shows thumbnail i's picture for measuring.
    void OpenThumbnail(int i);
    // Opens a picture file for measuring exactly as a thumbnail is opened (the command
    // line, a second start); one that cannot be read is reported and changes nothing.
    bool OpenPictureFile(const std::string& path);
    // Repaints the thumbnail strip.
    void invalidateStrip();
    const QImage& backgroundTile() const { return m_tile; }

signals:
    // The display image was replaced by another picture (a thumbnail opened): pictures
    // derived from it (edge image) are made again.
    void displayImageReplaced();
    // Another calibration was chosen, or the chosen one changed.
    void calibrationChanged();
    // The settings are being written (inside one replacement of the file): the aids on
    // the picture write their sections too.
    void settingsSaving(Profile& profile);
    // The display settings' Focus button switched the focus line.
    void focusLineSwitched();

public slots:
    void accept() override; // Enter: nothing
    void reject() override; // Escape and the close box: ask first
    void done(int result) override;
    // Keeps the window hidden while the first camera search runs.
    void setVisible(bool visible) override;
    // LIVE (button 1130 and F11): freezes or resumes the camera picture.
    void OnLive();
    // F12: saves the picture at once, without a dialog.
    void QuickSave();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window's own mouse, outside the picture area, goes down the picture's chain too
    // (measure_dlg_mouse.cpp); positions are client pixels.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    // Finished measurements, the one being drawn, the view of the picture, the features
    // plugged into it, the tools on m_Measure, the editing and the thumbnails.
    CMeasureChain m_MeasureChain;
    MEASURE m_Measure;
    ViewMapping m_view;
    PictureHooks m_pictureHooks;
    CMeasureTools m_tools{m_Measure, m_MeasureChain};
    CMeasureEditor m_editor{m_MeasureChain};
    CThumbNail m_ThumbNail;

    void createControls();
    void loadPictures();
    void initDialog();
    void onTitleTimer();
    void onCameraTimer();
    void updateTitle();
    void togglePanel(bool bottom);
    void loadSettings();
    void saveSettings();
    void shutdown();
    void fillScreenScaleCombo();
    void fillCalibrationCombo();
    void placeWindowFromSettings();
    ImageButton* imageButton(int id) const;
    PictureLayoutInput pictureLayoutInput(int magnification) const;
    // What the picture view paints, and the thumbnail strip (measure_dlg_paint.cpp).
    OverlayInputs overlayInputs();
    void connectPicture();
    void paintThumbnailStrip(QPainter& painter);
    // The picture's mouse handlers in their order (measure_dlg_mouse.cpp).
    void buildPictureMouse();
    void offerMouse(PictureView::Event kind, QMouseEvent* event);
    void connectResultCommands();
    // The measuring tools (measure_dlg_tools.cpp): buttons, what they read, cursors.
    void connectToolButtons();
    ToolEnvironment toolEnvironment(bool shift);
    HitTestOptions hitTestOptions() const;
    // A message box for a file that could not be written.
    void reportWriteFailure(const std::string& path, int error);

    Prompt* m_prompt;
    std::unique_ptr<DialogChoosers> m_ownChoosers;
    Choosers* m_choosers;
    CResultListView* m_resultList = nullptr;
    CCalibrationSet* m_CalibrationSet = nullptr;
    std::unique_ptr<QMenuPopup> m_ownMenu;
    PopupMenu* m_popupMenu;
    int m_thumbnailProgressDelayMs;
    std::unique_ptr<PictureSaving> m_saving;
    std::unique_ptr<ThumbnailStrip> m_strip;
    std::string m_settingsPath;
    std::string m_dataFolder;
    std::unique_ptr<Profile> m_profile;
    AppSettings m_settings;
    CCalibChain m_CalibChain;
    bool m_shutDown = false;
    DpiScale m_scale;
    std::map<int, QWidget*> m_items;
    QTimer m_timerTitle;
    QTimer m_timerCamera;
    int m_panelRoom = 0;
    int m_stripRoom = 0;
    int m_panelRoomInitial = 0;
    bool m_bottomPanel = true;
    bool m_rightPanel = true;
    bool m_firstShow = true;
    bool m_repaintRequested = false;
    bool m_quitting = false;
    int m_CursorType = 0;
    bool m_cursorHidden = false; // over the picture while measuring, without ShowCenter
    bool m_bCrossCursor = false;
    PictureView* m_picture = nullptr; // control 1072
    PictureMouseChain m_mouseChain{*this};
    std::unique_ptr<ToolHandler> m_tool;
    std::unique_ptr<ScaleBarHandler> m_scaleBar;
    std::unique_ptr<CalibrationHandler> m_calibration;
    std::unique_ptr<EditHandler> m_edit;
    std::unique_ptr<PanHandler> m_pan;
    int m_wheelRemainder = 0;
    QPointer<CCColorSet> m_colorSet;
    LiveView* m_live = nullptr; // a child: goes with the window
    NoCamera m_noCamera;
    CameraControl* m_camera = &m_noCamera;
    void connectCamera();
    std::unique_ptr<EdgeSnapping> m_edgeSnapping;
    void connectEdgeSnapping();
    // The aids on the picture, each registered in one place (measure_dlg_aids.cpp).
    void connectCrossLines();
    std::unique_ptr<CrossLineAid> m_crossLines;
    void connectFocusLine();
    std::unique_ptr<FocusProfile> m_focusProfile;
    bool m_focusPictureChanged = true; // the profile is of an older picture
    std::unique_ptr<FocusLineHandler> m_focusLine;
    void connectFocusAreas();
    std::unique_ptr<FocusAreaAid> m_focusAreas;

    CDibImage m_display;
    QImage m_sheet;
    QImage m_sheet2x;
    QImage m_tile;
    QImage m_arrows;
    QImage m_edgeIcon;
};
