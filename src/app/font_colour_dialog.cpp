#include "app/font_colour_dialog.h"

#include "images/canvas.h"
#include "platform/language.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

FontColourDialog::FontColourDialog(const LOGFONT& font, COLORREF colour, QWidget* parent)
    : QDialog(parent), m_initial(font), m_colour(colour) {
    setWindowTitle(QString::fromUtf8(Tr("Font", "フォント")));
    auto* layout = new QVBoxLayout(this);
    // The platform's font dialog, embedded so that a colour can go with it.
    m_fonts = new QFontDialog(this);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setCurrentFont(CanvasFont(font));
    layout->addWidget(m_fonts);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8(Tr("Color", "色")), this));
    m_colourButton = new QPushButton(this);
    m_colourButton->setAccessibleName(QString::fromUtf8(Tr("Color", "色")));
    m_colourButton->setFixedSize(60, 22);
    connect(m_colourButton, &QPushButton::clicked, this, [this] {
        const QColor c = QColorDialog::getColor(
            QColor(GetRValue(m_colour), GetGValue(m_colour), GetBValue(m_colour)), this);
        if (c.isValid()) {
            m_colour = RGB(c.red(), c.green(), c.blue());
            showColour();
        }
    });
    row->addWidget(m_colourButton);
    row->addStretch();
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    showColour();
}

void FontColourDialog::showColour() {
    QPixmap swatch(48, 14);
    swatch.fill(QColor(GetRValue(m_colour), GetGValue(m_colour), GetBValue(m_colour)));
    m_colourButton->setIcon(QIcon(swatch));
    m_colourButton->setIconSize(swatch.size());
}

LOGFONT FontColourDialog::chosenFont() const {
    return LogFontFromQFont(m_fonts->currentFont(), m_initial, logicalDpiY() > 0 ? logicalDpiY() : 96);
}

LOGFONT LogFontFromQFont(const QFont& font, const LOGFONT& keep, int dpiY) {
    LOGFONT lf = keep;
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = static_cast<int>(std::lround(font.pointSizeF() * dpiY / 72.0));
    lf.lfHeight = -std::max(1, pixels);
    lf.lfWidth = 0;
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    // 32 characters with the terminator.
    const QString face = font.family();
    std::string name;
    int count = 0;
    for (const uint cp : face.toUcs4()) {
        if (count++ == 31)
            break;
        name += QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1).toStdString();
    }
    lf.lfFaceName = name;
    return lf;
}
