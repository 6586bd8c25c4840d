#include "app/app_style.h"

#include "platform/language.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace {

// In a Japanese locale fontconfig answers the toolkit's "Sans Serif" with IPAGothic, whose
// Latin letters all take half an em: at the default 12 px an "m" has 6 px for its three
// stems, and "mm" melts into a grey block. Latin comes from a proportional sans face,
// Japanese from the proportional gothic; a face that is not installed is passed over.
void UseProportionalJapaneseFont(QApplication& app) {
    QFont font = app.font();
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic")});
    app.setFont(font);
}

} // namespace

void ApplyAppStyle(QApplication& app) {
    if (g_bJapanese)
        UseProportionalJapaneseFont(app);
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    const QColor window(30, 36, 44);
    const QColor base(22, 27, 34);
    const QColor text(226, 232, 238);
    const QColor teal(0, 168, 185);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(34, 41, 50));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(44, 52, 63));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0, 130, 145));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(250, 250, 236));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Link, teal);
    p.setColor(QPalette::PlaceholderText, QColor(140, 150, 160));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 128, 136));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 128, 136));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 128, 136));
    app.setPalette(p);
}
