#pragma once
#include <QDialog>

#include <cstdint>
#include <functional>
#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;
class UpDown;
struct MagnetSettings;

// The edge-snapping settings window ("Magnet setting"): edge type, the preview switch,
// the half-width of the search square and the threshold. Modeless; the main window
// makes it once and keeps it. Every change is stored in the settings at once and the
// picture repainted, so the preview and the snapping follow while the window is open.
// Typed numbers are stored as typed, also outside the arrows' ranges.
class CMagnetDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kType = 1124;
    static constexpr int kShow = 1227;
    static constexpr int kSize = 1123;
    static constexpr int kSizeArrows = 1228;
    static constexpr int kSlider = 1238;
    static constexpr int kThreshold = 1239;
    static constexpr int kThresholdArrows = 1240;
    static constexpr int kOk = 1;

    // `magnet` must outlive the window; `repaintMain` repaints the main window's picture.
    CMagnetDlg(MagnetSettings& magnet, std::function<void()> repaintMain, QWidget* parent);

    QWidget* item(int id) const;
    template <class T> T* itemAs(int id) const { return qobject_cast<T*>(item(id)); }

private:
    void createControls();
    void initDialog();
    void registerItem(int id, QWidget* w, const QString& name);
    void store(std::int32_t& field, int value);
    void onSizeText(const QString& text);
    void onThresholdText(const QString& text);

    MagnetSettings& m_magnet;
    std::function<void()> m_repaintMain;
    bool m_filling = false; // set while the window fills its own controls
    std::map<int, QWidget*> m_items;
    QComboBox* m_type = nullptr;
    QCheckBox* m_show = nullptr;
    QLineEdit* m_size = nullptr;
    UpDown* m_sizeArrows = nullptr;
    QSlider* m_slider = nullptr;
    QLineEdit* m_threshold = nullptr;
    UpDown* m_thresholdArrows = nullptr;
};
