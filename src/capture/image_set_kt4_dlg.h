#pragma once
#include "capture/image_set_kt4_model.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QLineEdit;
class QSlider;
class QCheckBox;
class QPushButton;

// The register camera's image-setting window ("Image setting", SET while the camera
// runs): white-balance gains, exposure and automatic exposure, and the four processing
// values, each a slider with its number field. A thin window over ImageSetKT4Model:
// events become the model's operations, and the controls show what it holds.
class CImageSetKT4Dlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kTimerAwb = 1010;      // 500 ms
    static constexpr int kTimerReadBack = 1011; // 500 ms
    // Sliders and fields of red, green, blue, exposure, brightness, saturation,
    // sharpness and gamma, in the model's order.
    static constexpr std::array<int, ImageSetKT4Model::kItemCount> kSliders = {
        1003, 1004, 1005, 1016, 1024, 1036, 1038, 1040};
    static constexpr std::array<int, ImageSetKT4Model::kItemCount> kFields = {
        1006, 1007, 1008, 1017, 1029, 1037, 1039, 1041};
    static constexpr int kAuto = 1002;
    static constexpr int kAwb = 1246;
    static constexpr int kDefaultGains = 1090;
    static constexpr int kDefaultProcessing = 1084;
    static constexpr int kCancel = 1248;
    static constexpr int kOk = 1; // IDOK

    // Opens the model (camera check, information, opening values) and shows it.
    explicit CImageSetKT4Dlg(ImageSetKT4Model& model, QWidget* parent = nullptr);

    QWidget* item(int id) const;
    QTimer& awbTimer() { return m_awbTimer; }
    QTimer& readBackTimer() { return m_readBackTimer; }

    void accept() override; // OK: the camera keeps the values
    void reject() override; // "Cancel", Escape and the close box: the opening values again

  private:
    void build();
    // A button's signal runs one operation of the model; the controls then show its outcome.
    template <class Signal>
    void onButton(QPushButton* button, Signal signal, void (ImageSetKT4Model::*operation)());
    void onSlider(int item, int position);
    void onField(int item, const QString& text);
    // Shows the model's values and enabled states, and runs its timers.
    void refresh();

    ImageSetKT4Model& m_model;
    std::array<QSlider*, ImageSetKT4Model::kItemCount> m_sliders{};
    std::array<QLineEdit*, ImageSetKT4Model::kItemCount> m_fields{};
    QCheckBox* m_auto = nullptr;
    QPushButton* m_awb = nullptr;
    QPushButton* m_defaultGains = nullptr;
    QTimer m_awbTimer;
    QTimer m_readBackTimer;
    bool m_showing = false; // the window itself is filling its controls
};
