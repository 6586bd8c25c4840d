#pragma once
#include "platform/colorref.h"
#include "platform/logfont.h"

#include <QWidget>

#include <functional>

// "0123456789" in the result font and text colour on a transparent background, from the
// top-left corner; a left-button release inside it emits clicked() (font chooser).
class FontSample : public QWidget {
    Q_OBJECT
public:
    FontSample(const QString& caption, std::function<LOGFONT()> font,
               std::function<COLORREF()> colour, QWidget* parent);
    QSize sizeHint() const override { return {180, 40}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<LOGFONT()> m_font;
    std::function<COLORREF()> m_colour;
};
