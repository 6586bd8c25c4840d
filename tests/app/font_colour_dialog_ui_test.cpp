#include "app/font_colour_dialog.h"

#include <QFont>
#include <gtest/gtest.h>

namespace {

TEST(LogFontFromQFont, HeightWeightEffectsAndFace) {
    LOGFONT keep;
    keep.lfCharSet = 128;
    keep.lfWidth = 9;
    keep.lfQuality = 3;
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(30);
    f.setBold(true);
    f.setItalic(true);
    f.setUnderline(true);
    LOGFONT lf = LogFontFromQFont(f, keep, 96);
    EXPECT_EQ(lf.lfHeight, -30);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfFaceName, "IPAGothic");
    EXPECT_EQ(lf.lfWidth, 0); // the width belonged to the old face
    EXPECT_EQ(lf.lfCharSet, 128);
    EXPECT_EQ(lf.lfQuality, 3);

    // Sized in points: the character height in pixels at the screen's dpi.
    QFont points(QStringLiteral("IPAGothic"), 12);
    EXPECT_EQ(LogFontFromQFont(points, keep, 96).lfHeight, -16);
    EXPECT_EQ(LogFontFromQFont(points, keep, 192).lfHeight, -32);

    // 32 characters with the terminator: longer faces are cut, whole characters only.
    QFont longFace(QString(40, QChar(0x3042)));
    longFace.setPixelSize(10);
    const LOGFONT cut = LogFontFromQFont(longFace, keep, 96);
    EXPECT_EQ(QString::fromStdString(cut.lfFaceName), QString(31, QChar(0x3042)));
}

} // namespace
