#pragma once
#include "calib/calib_drag.h"
#include "calib/calibration.h"
#include "platform/int_rect.h"

#include <QDialog>
#include <QEvent>

#include <cstdint>
#include <map>

class CDibImage;
class Profile;
class Prompt;
class QComboBox;
class QLineEdit;

// Posted to the main window when the calibration window closes; wParam is 1
// after OK and 2 after Cancel.
constexpr QEvent::Type WM_CALIB_CLOSED = static_cast<QEvent::Type>(QEvent::User + 50);

class CalibClosedEvent : public QEvent {
public:
    explicit CalibClosedEvent(int wParam) : QEvent(WM_CALIB_CLOSED), wParam(wParam) {}
    const int wParam;
};

// What Auto works with besides the picture and the search rectangle: the settings file,
// from which the dot radius limits are read again on every Auto, the limits, and the
// message boxes. Everything must outlive the window; without it Auto stays disabled.
struct CalibrationAutoContext {
    const Profile* profile = nullptr;
    std::int32_t* autoMinSize = nullptr;
    std::int32_t* autoMaxSize = nullptr;
    Prompt* prompt = nullptr;
};

// The calibration window: edits the selected calibration's name, physical
// lengths and unit, shows the factors they give with the reference cross, and
// resets the cross, or measures it on a dot target with Auto. Modeless; the main window keeps one for the whole run and
// opens it on CALIB. While it is open the right mouse button on the picture
// drags the reference cross and the corners of the search rectangle.
class CCalibrationSet : public QDialog {
    Q_OBJECT
public:
    static constexpr int kName = 1119;
    static constexpr int kX = 1121;
    static constexpr int kY = 1122;
    static constexpr int kUnit = 1123;
    static constexpr int kDisplay = 1140;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kAuto = 1230;
    static constexpr int kReset = 1231;

    // `parent` is the main window; it receives WM_CALIB_CLOSED and is repainted when the
    // cross changes.
    explicit CCalibrationSet(QWidget* parent, const CalibrationAutoContext& autoContext = {});

    // Opens the window on `calibration`. `combo` is the main window's
    // calibration choice (its row is renamed on OK), `picture` the picture
    // shown (its size places the search rectangle on Reset), `calibSet` the
    // search rectangle of the automatic calibration. Does nothing while open.
    void open(CALIBRATION* calibration, QComboBox* calibrationCombo, const CDibImage* picture, IntRect* calibSet);
    // The window exists, i.e. a calibration is being edited.
    bool isOpen() const { return record != nullptr; }

    // The control registered under a numeric id, or nullptr.
    QWidget* item(int id) const;
    QString displayText() const;

    // Right mouse button on the picture, in image pixels; nothing while closed.
    CalibDragCursor rightButtonDown(DPOINT mouse);
    CalibDragStep mouseMove(DPOINT mouse, bool insideImage);
    void rightButtonUp();

    CALIBRATION* record = nullptr; // the calibration edited; null while closed
    QComboBox* combo = nullptr;
    const CDibImage* image = nullptr;
    IntRect* m_CalibSet = nullptr;
    int m_CalibCorner = 0;
    double X = 0.0;
    double Y = 0.0;

public slots:
    void accept() override; // OK
    void reject() override; // CANCEL, Escape and the close box
    void OnReset();
    // The automatic calibration of the cross from the picture inside the search
    // rectangle; says how it went in a message box. True on success.
    bool OnAuto();

private:
    void OnInitDialog();
    void readEdits();
    void updateDisplay();
    void showFactors();
    void finish(int wParam);

    CalibrationAutoContext m_auto;
    std::map<int, QWidget*> m_items;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_x = nullptr;
    QLineEdit* m_y = nullptr;
    QComboBox* m_unit = nullptr;
    QLineEdit* m_display = nullptr;
};
