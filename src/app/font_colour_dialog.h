#pragma once
#include "platform/colorref.h"
#include "platform/logfont.h"

#include <QDialog>

class QFontDialog;
class QPushButton;
class QFont;

// The font chooser of the display settings: the screen fonts with their effects and a
// text colour, opened on a LOGFONT and a colour and handing both back.
class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    FontColourDialog(const LOGFONT& font, COLORREF colour, QWidget* parent = nullptr);

    LOGFONT chosenFont() const;
    COLORREF chosenColour() const { return m_colour; }

private:
    void showColour();

    LOGFONT m_initial;
    COLORREF m_colour;
    QFontDialog* m_fonts = nullptr;
    QPushButton* m_colourButton = nullptr;
};

// The LOGFONT of a chosen QFont: the character height in pixels (negative, at `dpiY` for
// fonts sized in points), weight, italic, underline, strike-out and the face name (cut to
// 31 characters); the other fields come from `keep`, lfWidth 0.
LOGFONT LogFontFromQFont(const QFont& font, const LOGFONT& keep, int dpiY);
