#pragma once
#include "platform/colorref.h"

#include <QWidget>

#include <functional>

// A rectangle filled with a colour read each time it is drawn; a left-button release
// inside it emits clicked() (the display settings open the colour chooser then).
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    ColourSwatch(const QString& caption, std::function<COLORREF()> colour, QWidget* parent);
    QSize sizeHint() const override { return {60, 22}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<COLORREF()> m_colour;
};
