#pragma once
#include <QAbstractButton>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <functional>

// A button drawn from one cell of a picture sheet: the button sheet's 50 x 53 cells,
// the 13 x 13 panel arrows, the edge-snap icon. The cell is stretched to the button.
// A red lamp shows while the button is held down, a green one while `greenLamp` is set.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    ImageButton(int id, const QString& caption, QSize cellSize, QWidget* parent);

    int id() const { return m_id; }
    // `sheet2x`, when given, is the same sheet drawn at twice the size, used on dense screens.
    void setSheet(const QImage* sheet, const QImage* sheet2x = nullptr);
    void setCellOrigin(QPoint origin);
    QPoint cellOrigin() const { return m_origin; }
    // Disabled buttons take the cell this far to the right (0: same cell).
    void setDisabledOffset(int dx) { m_disabledOffset = dx; }
    void setLampsShown(bool shown) { m_lamps = shown; }
    void setGreenLamp(bool on);
    // The green lamp read from the state it shows each time the button is drawn (the
    // armed tool, a feature switched on); repaint the button when that state changes.
    void setGreenLampSource(std::function<bool()> source);
    bool greenLamp() const { return m_green || (m_greenSource && m_greenSource()); }
    QSize sizeHint() const override { return m_cellSize; }

signals:
    // Right-button release on the button (quick save on SAVE, settings on edge snap).
    void rightClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_id;
    QSize m_cellSize;
    QPoint m_origin;
    const QImage* m_sheet = nullptr;
    const QImage* m_sheet2x = nullptr;
    int m_disabledOffset = 0;
    bool m_lamps = false;
    bool m_green = false;
    std::function<bool()> m_greenSource;
};
