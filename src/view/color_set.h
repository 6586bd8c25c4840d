#pragma once
#include "calib/scale_data.h"

#include <QDialog>

#include <functional>
#include <map>

class CDibImage;
class Choosers;
class Profile;
class Prompt;
class QComboBox;
class QImage;
class QLineEdit;
class QSpinBox;
struct ColorSettings;

// What the display-settings window works on; everything must outlive the window.
struct ColorSetContext {
    ColorSettings* color = nullptr;
    ScaleData* scaleData = nullptr;
    const CDibImage* displayImage = nullptr; // its current size places the bar presets
    Profile* profile = nullptr;              // "ScaleDec" of section "CALIBRATION"
    Choosers* choosers = nullptr;
    Prompt* prompt = nullptr;
    const QImage* sheet = nullptr; // the button sheet, and the same at twice the size
    const QImage* sheet2x = nullptr;
    std::function<void()> repaintMain;  // invalidates the main window's picture
    std::function<void()> focusToggled; // the focus line was switched: clear its peaks
};

// The display-settings window (modeless): colours, widths and font of the overlay, the
// grid, angle settings, crosshair and the scale bar, each change applied at once.
// OK keeps everything and stores the bar lengths; Cancel (Esc, the close box) puts the
// scale bar back as it was when the window opened, while other changes stay.
class CCColorSet : public QDialog {
    Q_OBJECT
public:
    CCColorSet(const ColorSetContext& context, QWidget* parent);

    QWidget* item(int id) const;
    template <class T> T* itemAs(int id) const { return qobject_cast<T*>(item(id)); }
    int scaleDec() const { return m_ScaleDec; }
    // After another calibration was chosen: the calibrated grid field anew.
    void refreshCalibratedGrid();

public slots:
    void accept() override; // OK
    void reject() override; // Cancel

private:
    void createControls();
    void initDialog();
    void registerItem(int id, QWidget* w);
    void onCalibratedGridEdited(const QString& text);
    void onPositionPreset(int row);
    void writeCalibratedGrid();
    bool readLengths(int& x, int& y, bool complain);
    void repaintMain();

    ColorSetContext m_ctx;
    ScaleData m_saved; // the bar as it was when the window opened
    int m_X = 0;
    int m_Y = 0;
    int m_ScaleDec = 1;
    bool m_writing = false; // set while the window writes its own fields
    std::map<int, QWidget*> m_items;
    QSpinBox* m_gridSpin = nullptr;
    QLineEdit* m_calibratedGrid = nullptr;
};
