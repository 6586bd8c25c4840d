#include "images/canvas.h"

#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kInk = RGB(10, 200, 30);
constexpr COLORREF kPaper = RGB(250, 240, 230);

COLORREF PixelAt(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + x * image.bytesPerPixel();
    return RGB(p[2], p[1], p[0]);
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // right, bottom inclusive
    int count = 0;
};

// Where `colour` was painted; fails when any pixel is neither it nor the paper, which
// would be an antialiased edge or a wrong colour.
Box Painted(const CDibImage& image, COLORREF colour, COLORREF paper = kPaper) {
    Box box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const COLORREF c = PixelAt(image, x, y);
            if (c == colour) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
                ++box.count;
            } else if (c != paper) {
                ADD_FAILURE() << "stray colour " << std::hex << c << " at " << std::dec << x << ","
                              << y;
                return box;
            }
        }
    return box;
}

CDibImage Paper(int width, int height, int bitCount = 24) {
    CDibImage image;
    EXPECT_TRUE(image.create(width, height, bitCount));
    image.fillRect(kPaper);
    return image;
}

LOGFONT Font(int height, const char* face = "") {
    LOGFONT font;
    font.lfHeight = height;
    font.lfFaceName = face;
    return font;
}

TEST(Canvas, LineLandsInBottomUpMemoryRowsInTheExactColour) {
    CDibImage image = Paper(20, 10);
    {
        Canvas canvas(image);
        ASSERT_TRUE(canvas.isValid());
        canvas.setPen(1, kInk);
        canvas.drawLine(3, 2, 12, 2);
    } // written back when the canvas goes away
    // Picture row 2 of 10 is memory row 7; the last point is not drawn.
    const std::uint8_t* row = image.memoryRow(7);
    for (int x = 0; x < 20; ++x) {
        const bool ink = x >= 3 && x < 12;
        EXPECT_EQ(row[x * 3 + 0], ink ? 30 : 230) << x;
        EXPECT_EQ(row[x * 3 + 1], ink ? 200 : 240) << x;
        EXPECT_EQ(row[x * 3 + 2], ink ? 10 : 250) << x;
    }
    const Box box = Painted(image, kInk);
    EXPECT_EQ(box.count, 9);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.bottom, 2);
}

TEST(Canvas, DiagonalsAndWidePensStayAliased) {
    CDibImage image = Paper(40, 30);
    Canvas canvas(image);
    canvas.setPen(1, kInk);
    canvas.drawLine(1, 1, 30, 17);
    canvas.end();
    Box box = Painted(image, kInk);
    EXPECT_EQ(box.count, 29); // one pixel per column, the last one left out
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);

    image = Paper(40, 30);
    Canvas wide(image);
    wide.setPen(5, kInk);
    wide.drawLine(10, 10, 30, 10);
    wide.end();
    box = Painted(image, kInk);
    EXPECT_EQ(box.bottom - box.top + 1, 5);
    EXPECT_LE(box.left, 9); // round ends reach past both points
    EXPECT_GE(box.right, 31);
}

TEST(Canvas, ZeroLengthLineWithAWidePenIsADot) {
    CDibImage image = Paper(20, 20);
    Canvas canvas(image);
    canvas.setPen(5, kInk);
    canvas.drawLine(8, 9, 8, 9);
    canvas.setPen(1, kInk);
    canvas.drawLine(2, 2, 2, 2); // a one-pixel pen draws nothing, as LineTo does
    canvas.end();
    const Box box = Painted(image, kInk);
    EXPECT_EQ(box.left, 6);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.top, 7);
    EXPECT_EQ(box.bottom, 11);
    EXPECT_EQ(PixelAt(image, 8, 9), kInk);
    EXPECT_EQ(PixelAt(image, 2, 2), kPaper);
}

TEST(Canvas, RectanglesAndEllipsesKeepRightAndBottomExclusive) {
    CDibImage image = Paper(30, 20);
    Canvas canvas(image);
    canvas.setPen(1, kInk);
    canvas.drawRect({2, 3, 8, 7});
    canvas.end();
    Box box = Painted(image, kInk);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.right, 7);
    EXPECT_EQ(box.bottom, 6);
    EXPECT_EQ(box.count, 2 * 6 + 2 * 2);

    // Without a pen the brush alone covers the same pixels.
    const COLORREF fill = RGB(0, 0, 255);
    image = Paper(30, 20);
    Canvas filled(image);
    filled.setNoPen();
    filled.setBrush(fill);
    filled.drawRect({2, 3, 8, 7});
    filled.end();
    box = Painted(image, fill);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.right, 7);
    EXPECT_EQ(box.bottom, 6);
    EXPECT_EQ(box.count, 6 * 4);

    // An outline and a brush: the outline on the edge pixels, the brush inside.
    image = Paper(30, 20);
    Canvas both(image);
    both.setPen(1, kInk);
    both.setBrush(fill);
    both.drawRect({2, 3, 8, 7});
    both.end();
    EXPECT_EQ(PixelAt(image, 2, 3), kInk);
    EXPECT_EQ(PixelAt(image, 7, 6), kInk);
    EXPECT_EQ(PixelAt(image, 3, 4), fill);
    EXPECT_EQ(PixelAt(image, 6, 5), fill);
    EXPECT_EQ(PixelAt(image, 8, 6), kPaper);

    for (const bool pen : {true, false}) {
        SCOPED_TRACE(pen ? "outline" : "fill");
        image = Paper(30, 20);
        Canvas ellipse(image);
        if (pen) {
            ellipse.setPen(1, kInk);
        } else {
            ellipse.setNoPen();
            ellipse.setBrush(kInk);
        }
        ellipse.drawEllipse({10, 2, 25, 15});
        ellipse.end();
        box = Painted(image, kInk);
        // The outline touches every side; a fill alone may stop a pixel short, never beyond.
        const int slack = pen ? 0 : 1;
        EXPECT_GE(box.left, 10);
        EXPECT_LE(box.left, 10 + slack);
        EXPECT_LE(box.right, 24);
        EXPECT_GE(box.right, 24 - slack);
        EXPECT_GE(box.top, 2);
        EXPECT_LE(box.top, 2 + slack);
        EXPECT_LE(box.bottom, 14);
        EXPECT_GE(box.bottom, 14 - slack);
        EXPECT_EQ(PixelAt(image, 17, 8), pen ? kPaper : kInk);
    }
}

TEST(Canvas, PolygonsFillByTheEvenOddRule) {
    CDibImage image = Paper(60, 60);
    Canvas canvas(image);
    canvas.setNoPen();
    canvas.setBrush(kInk);
    // A five-pointed star drawn in one stroke: its centre is enclosed twice.
    const CanvasPoint star[] = {{30, 2}, {47, 56}, {2, 22}, {58, 22}, {13, 56}};
    canvas.drawPolygon(star);
    canvas.end();
    EXPECT_EQ(PixelAt(image, 30, 32), kPaper);
    EXPECT_EQ(PixelAt(image, 30, 10), kInk); // top point
    EXPECT_EQ(PixelAt(image, 8, 23), kInk);  // left point
    Painted(image, kInk);
}

TEST(Canvas, PolylinesAndArcs) {
    CDibImage image = Paper(40, 40);
    Canvas canvas(image);
    canvas.setPen(1, kInk);
    const CanvasPoint corner[] = {{2, 2}, {12, 2}, {12, 12}};
    canvas.drawPolyline(corner);
    canvas.end();
    Box box = Painted(image, kInk);
    EXPECT_EQ(box.count, 10 + 10);
    EXPECT_EQ(PixelAt(image, 12, 2), kInk);
    EXPECT_EQ(PixelAt(image, 12, 12), kPaper);

    // A quarter from three o'clock counter-clockwise lies in the upper right quarter.
    image = Paper(40, 40);
    Canvas arc(image);
    arc.setPen(1, kInk);
    arc.drawArc({5, 5, 36, 36}, 0, 90);
    arc.end();
    box = Painted(image, kInk);
    EXPECT_GT(box.count, 10);
    EXPECT_GE(box.left, 19);
    EXPECT_LE(box.bottom, 21);
    EXPECT_LE(box.right, 35);
    EXPECT_GE(box.top, 5);
}

TEST(Canvas, TextRendersInEnglishAndJapaneseInsideItsCell) {
    const COLORREF red = RGB(255, 0, 0);
    for (const char* text : {"Mirelta 12.5mm", "測定 12.5μm ゴシック"}) {
        SCOPED_TRACE(text);
        CDibImage image = Paper(220, 40);
        Canvas canvas(image);
        canvas.setFont(Font(-16));
        canvas.setTextColour(red);
        canvas.drawText(5, 7, text);
        const CanvasSize size = canvas.textSize(text);
        canvas.end();
        const Box box = Painted(image, red);
        EXPECT_GT(box.count, 40);
        EXPECT_GT(size.width, 60);
        EXPECT_GE(size.height, 16);
        // The point is the top-left corner of the text's cell.
        EXPECT_GE(box.left, 5);
        EXPECT_GE(box.top, 7);
        EXPECT_LT(box.right, 5 + size.width);
        EXPECT_LT(box.bottom, 7 + size.height);
        EXPECT_LE(box.top, 7 + 5);
    }
}

TEST(Canvas, JapaneseCharactersAreRealGlyphs) {
    // Missing glyphs would all be drawn as the same box.
    auto render = [](const char* text) {
        CDibImage image = Paper(40, 40);
        Canvas canvas(image);
        canvas.setFont(Font(-24, "MS Gothic"));
        canvas.setTextColour(RGB(0, 0, 0));
        canvas.drawText(4, 4, text);
        canvas.end();
        return std::vector<std::uint8_t>(image.bits(), image.bits() + image.byteSize());
    };
    const auto measure = render("測");
    const auto fix = render("定");
    const auto kana = render("ゴ");
    EXPECT_NE(measure, fix);
    EXPECT_NE(measure, kana);
    EXPECT_NE(fix, kana);
}

TEST(Canvas, OpaqueTextFillsItsCellAndTransparentTextDoesNot) {
    const COLORREF back = RGB(0, 0, 128);
    for (const bool opaque : {true, false}) {
        CDibImage image = Paper(120, 30);
        Canvas canvas(image);
        canvas.setFont(Font(-14));
        canvas.setTextColour(kInk);
        if (opaque)
            canvas.setOpaqueText(back);
        else
            canvas.setTransparentText();
        canvas.drawText(10, 5, "W-i");
        const CanvasSize size = canvas.textSize("W-i");
        canvas.end();
        EXPECT_EQ(PixelAt(image, 10, 5), opaque ? back : kPaper);
        EXPECT_EQ(PixelAt(image, 10 + size.width - 1, 5 + size.height - 1), opaque ? back : kPaper);
        EXPECT_EQ(PixelAt(image, 10 + size.width, 5), kPaper);
        EXPECT_EQ(PixelAt(image, 9, 5), kPaper);
        EXPECT_EQ(PixelAt(image, 10, 5 + size.height), kPaper);
    }
}

CDibImage Written(const LOGFONT& font, const char* text) {
    CDibImage image = Paper(200, 40);
    Canvas canvas(image);
    canvas.setFont(font);
    canvas.setTextColour(kInk);
    canvas.drawText(2, 2, text);
    canvas.end();
    return image;
}

struct Run {
    int length = 0;
    int row = -1;
};

// The longest horizontal run of ink in the text, and its row.
Run LongestRun(const LOGFONT& font) {
    const CDibImage image = Written(font, "Measure");
    Run best;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = PixelAt(image, x, y) == kInk ? run + 1 : 0;
            if (run > best.length)
                best = {run, y};
        }
    }
    return best;
}

TEST(Canvas, FontHeightsWeightsAndStyles) {
    // A positive height is the whole cell, a negative one the characters without leading.
    for (const int cell : {12, 20, 33}) {
        const CanvasSize size = Canvas::measureText(Font(cell), "Hg");
        EXPECT_LE(size.height, cell);
        EXPECT_GE(size.height, cell - 3) << cell;
    }
    EXPECT_GT(Canvas::measureText(Font(-20), "Hg").height, 20);
    EXPECT_GT(Canvas::measureText(Font(-30), "Hg").width, Canvas::measureText(Font(-15), "Hg").width);
    EXPECT_GT(Canvas::measureText(Font(0), "Hg").height, 0);

    auto inked = [](const LOGFONT& font) {
        const CDibImage image = Written(font, "Measure");
        return Painted(image, kInk);
    };
    LOGFONT normal = Font(-20, "DejaVu Sans");
    LOGFONT bold = normal;
    bold.lfWeight = 700;
    EXPECT_GT(inked(bold).count, inked(normal).count);
    // Underline and strike-out are long runs of ink, the underline below the other.
    LOGFONT underlined = normal;
    underlined.lfUnderline = 1;
    LOGFONT struck = normal;
    struck.lfStrikeOut = 1;
    const int textWidth = Canvas::measureText(normal, "Measure").width;
    const auto plainRun = LongestRun(normal);
    const auto underRun = LongestRun(underlined);
    const auto strikeRun = LongestRun(struck);
    EXPECT_LT(plainRun.length, textWidth / 2);
    EXPECT_GE(underRun.length, textWidth - 2);
    EXPECT_GE(strikeRun.length, textWidth - 2);
    EXPECT_GT(underRun.row, strikeRun.row);
    LOGFONT italic = normal;
    italic.lfItalic = 1;
    EXPECT_NE(inked(italic).right, inked(normal).right);
    LOGFONT narrow = normal;
    narrow.lfWidth = 4;
    EXPECT_LT(Canvas::measureText(narrow, "Measure").width, Canvas::measureText(normal, "Measure").width);

    // The canvas measures with the font it draws with.
    CDibImage image = Paper(10, 10);
    Canvas canvas(image);
    canvas.setFont(bold);
    EXPECT_EQ(canvas.textSize("Measure").width, Canvas::measureText(bold, "Measure").width);
}

TEST(Canvas, EightBitImagesMapDrawingToTheirColourTable) {
    CDibImage image;
    ASSERT_TRUE(image.create(16, 8, 8));
    std::memset(image.bits(), 50, image.byteSize());
    // Entry 60 repeats entry 50's colour; its pixels must keep their index.
    const RGBQUAD same{50, 50, 50, 0};
    image.setColourTable(&same, 60, 1);
    image.scanLine(7)[15] = 60;
    const RGBQUAD red{0, 0, 255, 0};
    image.setColourTable(&red, 7, 1);
    {
        Canvas canvas(image);
        ASSERT_TRUE(canvas.isValid());
        canvas.setPen(1, RGB(200, 200, 200));
        canvas.drawLine(0, 1, 16, 1);
        canvas.setPen(1, RGB(250, 0, 0));
        canvas.drawLine(0, 3, 16, 3);
    }
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(image.scanLine(0)[x], 50);
        EXPECT_EQ(image.scanLine(1)[x], 200);
        EXPECT_EQ(image.scanLine(3)[x], 7);
    }
    EXPECT_EQ(image.scanLine(7)[15], 60);
    EXPECT_EQ(image.memoryRow(6)[0], 200); // picture row 1 of 8
}

TEST(Canvas, ThirtyTwoBitImagesKeepTheirFourthByte) {
    CDibImage image;
    ASSERT_TRUE(image.create(6, 4, 32));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            std::uint8_t* p = image.scanLine(y) + x * 4;
            p[0] = 1;
            p[1] = 2;
            p[2] = 3;
            p[3] = static_cast<std::uint8_t>(10 * y + x);
        }
    Canvas canvas(image);
    canvas.setPen(1, RGB(0x11, 0x22, 0x33));
    canvas.drawLine(0, 2, 6, 2);
    canvas.end();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const std::uint8_t* p = image.scanLine(y) + x * 4;
            const bool ink = y == 2;
            EXPECT_EQ(p[0], ink ? 0x33 : 1);
            EXPECT_EQ(p[1], ink ? 0x22 : 2);
            EXPECT_EQ(p[2], ink ? 0x11 : 3);
            EXPECT_EQ(p[3], 10 * y + x);
        }
    EXPECT_EQ(image.memoryRow(1)[0], 0x33);
}

TEST(Canvas, RefusesImagesItCannotDrawOn) {
    CDibImage ten;
    ASSERT_TRUE(ten.create(4, 4, 16));
    std::memset(ten.bits(), 0x5A, ten.byteSize());
    {
        Canvas canvas(ten);
        EXPECT_FALSE(canvas.isValid());
        canvas.setPen(3, kInk);
        canvas.drawLine(0, 0, 3, 3);
        canvas.drawText(0, 0, "x");
    }
    for (std::size_t i = 0; i < ten.byteSize(); ++i)
        ASSERT_EQ(ten.bits()[i], 0x5A);
    CDibImage none;
    Canvas canvas(none);
    EXPECT_FALSE(canvas.isValid());
    canvas.drawRect({0, 0, 3, 3});
}

TEST(Canvas, NothingIsWrittenAfterEndOrWithoutDrawing) {
    CDibImage image = Paper(10, 10);
    Canvas canvas(image);
    canvas.setPen(1, kInk);
    canvas.drawLine(0, 0, 9, 0);
    canvas.end();
    EXPECT_FALSE(canvas.isValid());
    canvas.drawLine(0, 5, 9, 5);
    canvas.end();
    EXPECT_EQ(Painted(image, kInk).count, 9);

    // A canvas that only measures leaves pixels written directly meanwhile alone.
    Canvas measuring(image);
    EXPECT_GT(measuring.textSize("abc").width, 0);
    image.fillRect({0, 8, 10, 10}, kInk);
    measuring.end();
    EXPECT_EQ(PixelAt(image, 3, 9), kInk);
}

} // namespace
