#pragma once
#include "platform/colorref.h"

#include <QDialog>

#include <cstddef>
#include <cstdint>

class FocusAreas;
class QComboBox;

// The focus window of one area: its value and peak as two bars over the scale combo
// box (1234, rows "1" ... "10", shared by every focus window through `FocusSelect`).
// Enter leaves it open; closing it closes the area.
class CFocusDlg : public QDialog {
    Q_OBJECT
public:
    CFocusDlg(FocusAreas& areas, std::size_t index, std::int32_t& focusSelect, const COLORREF& barColour,
              QWidget* parent);

    QWidget* item(int id) const;
    std::size_t index() const { return m_index; }
    // What the bars show.
    std::int32_t value() const;
    std::int32_t peak() const;

signals:
    // The scale changed: every focus window repaints on it.
    void scaleChanged();
    // Closed, or made active or inactive: the picture shows the area anew.
    void areaChanged();

public slots:
    void accept() override {}
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    FocusAreas& m_areas;
    std::size_t m_index;
    std::int32_t& m_focusSelect;
    const COLORREF& m_barColour;
    QComboBox* m_scale = nullptr;
};
