#pragma once
#include "images/camera_pause.h"
#include "images/image_saving.h"

#include <functional>
#include <string>

class QString;

class CThumbNail;
class CameraControl;
class ImageButton;
class QWidget;
struct AppSettings;
class Choosers;
class Prompt;

// What the saving works on; owned by the main window.
struct PictureSavingContext {
    QWidget* window = nullptr;            // parents the dialogs and messages
    AppSettings* settingsBlock = nullptr; // savedir and m_FilterIndex
    CDibImage* picture = nullptr;         // the picture on screen
    CameraControl* camera = nullptr;      // paused around a save by its model
    OverlayBurnIn burnIn;                 // the overlay drawn into a saved copy (TYPE on)
    ImageButton* typeButton = nullptr;    // TYPE shows whether burn-in is on
    std::function<void()> thumbnailsChanged;

    AppSettings& settings() const { return *settingsBlock; }
};

// Saving the picture on screen and the save folder with its thumbnails: SAVE (1087) with
// the save dialog, the right-button quick save on SAVE, F12, DIR (1088) and TYPE (1131).
class PictureSaving {
  public:
    PictureSaving(PictureSavingContext context, CThumbNail& list, Prompt& prompt, Choosers& choosers);

    void OnSave();
    void OnQuickSave();
    void OnF12();
    void OnDir();
    // Burn-in of the overlay on or off; the TYPE button shows which.
    void OnType();
    bool burnIn() const { return m_burnIn; }

    // The thumbnails of the save folder at start: its index, then its pictures, with a
    // progress dialog once that takes `progressDelayMs`.
    void loadThumbnails(int progressDelayMs);
    // The index of the save folder, written at exit; false when it could not be
    // written (LastWriteError says why; the old index stays as it was).
    bool saveIndex();
    // Writes the old folder's index and takes the thumbnails of `folder`, which becomes
    // the save folder.
    void changeFolder(const std::string& folder);
    // Whether the last scan of a folder showed its progress dialog.
    bool progressShown() const { return m_progressShown; }

    // Saves the display image to path as save type `type` and refreshes the strip; a
    // failure is reported to the operator.
    SaveResult saveTo(const std::string& path, int type);

  private:
    CameraPause pauseCamera();
    void resumeCamera(CameraPause pause);
    void scanFolder(const std::string& folder);
    void tell(const QString& text);
    // Tells the operator and returns true when a path is longer than the saves allow.
    bool refuseLongPath(const std::string& path);
    std::string quickSavePath() const;

    PictureSavingContext m_ctx;
    CThumbNail& m_list;
    Prompt& m_prompt;
    Choosers& m_choosers;
    bool m_burnIn = false;
    int m_progressDelayMs = 500;
    bool m_progressShown = false;
};
