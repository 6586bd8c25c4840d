#include "settings/app_settings.h"
#include "calib/view_mapping.h"
#include "images/dib_image.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "platform/language.h"
#include "view/cross_line_drawing.h"
#include "view/cross_line_model.h"
#include "view/overlay_composer.h"
#include "view/overlay_layers.h"
#include "view/overlay_list.h"
#include "view/overlay_painter.h"
#include "images/canvas.h"
#include "support/kernel_levels.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr COLORREF kPaper = RGB(0, 0, 0);

// A picture whose pixel (x, y) has blue x & 255, green y & 255, red (x >> 8) * 16 + (y >> 8),
// so every pixel of a read-back tells where it came from.
CDibImage Coded(int w, int h) {
    CDibImage image;
    image.create(w, h, 24);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* p = image.scanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            p[0] = static_cast<std::uint8_t>(x & 255);
            p[1] = static_cast<std::uint8_t>(y & 255);
            p[2] = static_cast<std::uint8_t>((x >> 8) * 16 + (y >> 8));
        }
    }
    return image;
}

QRgb CodedAt(int x, int y) { return qRgb((x >> 8) * 16 + (y >> 8), y & 255, x & 255); }

CDibImage Plain(int w, int h, COLORREF c = kPaper) {
    CDibImage image;
    image.create(w, h, 24);
    image.fillRect(c);
    return image;
}

QRgb Q(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

ViewMapping View(int bai, double x = 0, double y = 0) {
    ViewMapping v;
    v.m_Bai = bai;
    v.m_Bai_X = x;
    v.m_Bai_Y = y;
    return v;
}

class OverlayComposer : public ::testing::Test {
protected:
    void SetUp() override {
        g_bJapanese = false;
        in.color = &color;
        in.scaleBar = &bar;
        in.measurements = &chain;
    }

    QImage compose(const CDibImage& picture, const ViewMapping& view, int areaW, int areaH,
                   const CDibImage* preview = nullptr) {
        QImage buffer;
        const ViewGeometry g{{8, 8, 8 + areaW, 8 + areaH}, picture.width(), picture.height()};
        EXPECT_TRUE(ComposePictureArea(buffer, picture, preview, view, g, in, scratch));
        return buffer;
    }

    // Columns (or rows) that are entirely `colour`.
    static int FullColumns(const QImage& img, QRgb colour) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x) {
            bool all = true;
            for (int y = 0; y < img.height() && all; ++y)
                all = img.pixel(x, y) == colour;
            n += all;
        }
        return n;
    }
    static int FullRows(const QImage& img, QRgb colour) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            bool all = true;
            for (int x = 0; x < img.width() && all; ++x)
                all = img.pixel(x, y) == colour;
            n += all;
        }
        return n;
    }
    static int Count(const QImage& img, QRgb colour, QRect within) {
        int n = 0;
        within = within.intersected(img.rect());
        for (int y = within.top(); y <= within.bottom(); ++y)
            for (int x = within.left(); x <= within.right(); ++x)
                n += img.pixel(x, y) == colour;
        return n;
    }

    ColorSettings color;
    ScaleData bar;
    CMeasureChain chain;
    OverlayInputs in;
    OverlayList scratch;
};

TEST_F(OverlayComposer, PictureStepPerMagnification) {
    const CDibImage picture = Coded(1280, 1024);
    // x1: 1:1 from the scroll origin.
    QImage a = compose(picture, View(1, -300, -200), 400, 300);
    ASSERT_EQ(a.size(), QSize(400, 300));
    for (const QPoint p : {QPoint(0, 0), QPoint(399, 299), QPoint(123, 45)})
        EXPECT_EQ(a.pixel(p), CodedAt(p.x() + 300, p.y() + 200)) << p.x();
    // x2 with a fractional offset: each area pixel shows the image pixel under it.
    a = compose(picture, View(6, -100.5, -10), 400, 300);
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(2, 7), QPoint(399, 299)})
        EXPECT_EQ(a.pixel(p), CodedAt(static_cast<int>(p.x() / 2.0 + 100.5), p.y() / 2 + 10))
            << p.x();
    // Fit: nearest neighbour, each axis by its own ratio, filling the whole area.
    a = compose(picture, View(0, -77, -77), 640, 400);
    EXPECT_EQ(a.pixel(0, 0), CodedAt(0, 0));
    EXPECT_EQ(a.pixel(639, 399), CodedAt(1278, static_cast<int>(399 * (1024.0f / 400.0f))));
    EXPECT_EQ(a.pixel(320, 200), CodedAt(640, 512));
    // Scrolled past the picture's end (a frame smaller than the layout expects): black.
    a = compose(picture, View(1, -1200, 0), 200, 100);
    EXPECT_EQ(a.pixel(79, 0), CodedAt(1279, 0));
    EXPECT_EQ(a.pixel(80, 0), qRgb(0, 0, 0));
}

TEST_F(OverlayComposer, EdgePreviewReplacesThePictureInGrey) {
    const CDibImage picture = Coded(64, 64);
    CDibImage preview;
    preview.create(64, 64, 8);
    preview.scanLine(10)[20] = 200;
    const QImage a = compose(picture, View(1), 64, 64, &preview);
    EXPECT_EQ(a.pixel(20, 10), qRgb(200, 200, 200));
    EXPECT_EQ(a.pixel(21, 10), qRgb(0, 0, 0));
}

TEST_F(OverlayComposer, GridOfHundredOverTheWholePicture) {
    const CDibImage picture = Plain(1280, 1024);
    color.gridflg = 1;
    color.gridsize = 100;
    const QImage a = compose(picture, View(1), 1280, 1024);
    EXPECT_EQ(FullColumns(a, Q(color.grid)), 12);
    EXPECT_EQ(FullRows(a, Q(color.grid)), 10);
    EXPECT_EQ(a.pixel(100, 3), Q(color.grid));
    EXPECT_EQ(a.pixel(1200, 3), Q(color.grid));
    EXPECT_EQ(a.pixel(1100, 1000), Q(color.grid));
    EXPECT_EQ(a.pixel(99, 3), qRgb(0, 0, 0));

    // Fitted, the grid is stretched with the picture: still 12 and 10 lines.
    const QImage fit = compose(picture, View(0), 640, 512);
    EXPECT_EQ(FullColumns(fit, Q(color.grid)), 12);
    EXPECT_EQ(FullRows(fit, Q(color.grid)), 10);

    // A spacing larger than the picture draws nothing.
    color.gridsize = 1300;
    const QImage none = compose(picture, View(1), 1280, 1024);
    EXPECT_EQ(Count(none, Q(color.grid), none.rect()), 0);
}

TEST_F(OverlayComposer, SelectedRecordIsInvertedUntilDeselected) {
    const CDibImage picture = Plain(400, 300);
    MEASURE line;
    line.kind = -MeasureKind::Line;
    line.unit = 1;
    line.pointCount = 2;
    const DPOINT pts[] = {{20, 50}, {220, 50}};
    line.points.Write(0, pts, 2);
    line.value[0] = 10;
    color.showangle = 0;
    chain.AddNode(&line);
    MEASURE* record = chain.current;
    const QRect row(0, 50, 400, 1);
    const QRect label(100, 50, 200, 40);

    QImage a = compose(picture, View(1), 400, 300);
    EXPECT_EQ(Count(a, Q(color.line), row), 200);
    EXPECT_GT(Count(a, Q(color.text), label), 10);

    record->selected = 1;
    a = compose(picture, View(1), 400, 300);
    EXPECT_EQ(Count(a, Q(color.line), row), 0);
    EXPECT_EQ(Count(a, Q(InvertedColour(color.line)), row), 200);
    EXPECT_EQ(Count(a, Q(color.text), label), 0);
    EXPECT_GT(Count(a, Q(InvertedColour(color.text)), label), 10);

    record->selected = 0;
    a = compose(picture, View(1), 400, 300);
    EXPECT_EQ(Count(a, Q(color.line), row), 200);
    EXPECT_EQ(Count(a, Q(InvertedColour(color.line)), a.rect()), 0);
}

TEST_F(OverlayComposer, TenMillimetreBarAtX2) {
    const CDibImage picture = Plain(640, 480);
    bar.Visible = 1;
    bar.unit = 1;
    bar.mpp = {0.05, 0.05};
    bar.Pos = {590, 430};
    bar.Size = {10, 10};
    const QImage a = compose(picture, View(6, -300, -200), 600, 500);
    // Right end (590 - 300) * 2 = 580, left end 180, on row (430 - 200) * 2 = 460.
    const QRgb ink = Q(color.line);
    EXPECT_EQ(Count(a, ink, QRect(0, 460, 600, 1)), 401); // both tick columns included
    EXPECT_EQ(a.pixel(180, 460), ink);
    EXPECT_EQ(a.pixel(580, 460), ink);
    EXPECT_NE(a.pixel(179, 460), ink);
    EXPECT_NE(a.pixel(581, 460), ink);
    // Ticks of 5 image pixels each way are 10 window pixels.
    EXPECT_EQ(a.pixel(180, 451), ink);
    EXPECT_EQ(a.pixel(580, 469), ink);
    // The label in the text colour below the middle of the bar.
    EXPECT_GT(Count(a, Q(color.text), QRect(310, 490, 120, 10)), 5);
}

TEST_F(OverlayComposer, CrosshairFollowsTheCursorAcrossThePicture) {
    const CDibImage picture = Plain(200, 100);
    in.crossCursor = true;
    in.crossCursorAt = {50.7, 20.2};
    const QImage a = compose(picture, View(1), 200, 100);
    const QRgb white = Q(color.CursorCrosshairs.Color);
    EXPECT_EQ(FullColumns(a, white), 1);
    EXPECT_EQ(FullRows(a, white), 1);
    EXPECT_EQ(a.pixel(50, 0), white);
    EXPECT_EQ(a.pixel(0, 20), white);
}

TEST_F(OverlayComposer, OverlayOntoImageAtX1WithoutThePictureLayer) {
    CDibImage image = Plain(300, 200, RGB(10, 20, 30));
    MEASURE line;
    line.kind = -MeasureKind::Line;
    line.pointCount = 2;
    const DPOINT pts[] = {{10, 150}, {110, 150}};
    line.points.Write(0, pts, 2);
    chain.AddNode(&line);
    bool pictureLayerUsed = false;
    in.pictureLayer = [&](OverlayList&, const OverlayMapping&) { pictureLayerUsed = true; };
    ASSERT_EQ(DrawOverlayOntoImage(image, in), 1);
    EXPECT_FALSE(pictureLayerUsed);
    const std::uint8_t* row = image.scanLine(150);
    EXPECT_EQ(RGB(row[10 * 3 + 2], row[10 * 3 + 1], row[10 * 3]), color.line);
    EXPECT_EQ(RGB(row[109 * 3 + 2], row[109 * 3 + 1], row[109 * 3]), color.line);
    EXPECT_EQ(RGB(row[110 * 3 + 2], row[110 * 3 + 1], row[110 * 3]), RGB(10, 20, 30));
    // Other rows keep the picture.
    EXPECT_EQ(image.scanLine(149)[30], 30);

    CDibImage grey;
    grey.create(10, 10, 8);
    EXPECT_EQ(DrawOverlayOntoImage(grey, in), 0);
}


TEST_F(OverlayComposer, BurntInOverlayHasThePixelsOfTheScreenAtX1) {
    // Every kind of figure with its labels, wide pens, one selected, a figure being
    // drawn, the scale bar, the grid and the crosshair: the saved picture must carry
    // exactly the pixels the picture area shows at x1 over the same picture.
    const CDibImage picture = Coded(640, 480);
    color.linesize = 3;
    color.gridflg = 1;
    color.gridsize = 70;
    bar.Visible = 1;
    bar.Type = 1;
    bar.unit = 1;
    bar.mpp = {0.05, 0.05};
    bar.Pos = {600, 440};
    const DPOINT shape[6] = {{0, 0}, {120, 30}, {40, 130}, {70, 15}, {140, 90}, {30, 100}};
    for (int tool = MeasureKind::Line; tool <= MeasureKind::Angle; ++tool) {
        MEASURE m;
        m.kind = -tool;
        m.unit = 1;
        const double x = 20 + (tool - 1) % 3 * 200, y = 20 + (tool - 1) / 3 * 220;
        DPOINT pts[6];
        for (int i = 0; i < 6; ++i)
            pts[i] = {x + shape[i].x, y + shape[i].y};
        m.pointCount = tool == MeasureKind::Circle2 ? 6 : tool == MeasureKind::Line ? 2 : 4;
        m.points.Write(0, pts, m.pointCount);
        m.center = {DPOINT{x + 60, y + 60}, DPOINT{x + 100, y + 70}};
        m.radius = {50, 30};
        m.value = {12.345, 45.6, 3.21, 17.5, 0};
        m.selected = tool == MeasureKind::Circle;
        chain.AddNode(&m);
    }
    MEASURE working;
    working.kind = MeasureKind::Line;
    working.pointCount = 1;
    const DPOINT start[] = {{300, 250}};
    working.points.Write(0, start, 1);
    in.working = &working;
    in.hasCursor = true;
    in.cursor.at = {420.5, 330.25};
    in.crossCursor = true;
    in.crossCursorAt = {333.3, 111.7};

    const QImage screen = compose(picture, View(1), 640, 480);
    CDibImage saved;
    ASSERT_TRUE(saved.copyFrom(picture));
    ASSERT_EQ(DrawOverlayOntoImage(saved, in), 1);

    int differing = 0, overlaid = 0;
    for (int y = 0; y < 480; ++y) {
        const std::uint8_t* p = saved.scanLine(y);
        for (int x = 0; x < 640; ++x, p += 3) {
            const QRgb s = screen.pixel(x, y);
            differing += qRgb(p[2], p[1], p[0]) != s;
            overlaid += s != CodedAt(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(overlaid, 5000); // the comparison covers a real overlay, labels included
    EXPECT_GT(Count(screen, Q(color.text), screen.rect()), 200);
}

TEST_F(OverlayComposer, CrossLinesAreTheSameOnScreenAndInTheSavedPicture) {
    CrossLineModel model;
    CROSSLINE master;
    master.Pos_x = 60;
    master.Pos_y = 40;
    master.Size = 3;
    master.Draw = 50;
    master.Color = RGB(255, 255, 255);
    CROSSLINE dashed = master;
    dashed.Pos_x = 40;
    dashed.Pos_y = 30;
    dashed.Type = 1;
    dashed.Color = RGB(0, 200, 100);
    dashed.Draw = 100;
    model.list(CrossLineModel::kFirst) = {master, dashed};
    in.crossLines = [&](OverlayList& out, const OverlayMapping& map) {
        AppendCrossLines(out, map, model, nullptr);
    };
    const CDibImage picture = Plain(120, 90);
    const QImage screen = compose(picture, View(1), 120, 90);
    CDibImage saved = Plain(120, 90);
    ASSERT_EQ(DrawOverlayOntoImage(saved, in), 1);
    for (int y = 0; y < 90; ++y) {
        const std::uint8_t* row = saved.scanLine(y);
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(screen.pixel(x, y), qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x])) << x << "," << y;
    }
    EXPECT_EQ(screen.pixel(5, 40), qRgb(127, 127, 127));     // white at 50 % over black
    EXPECT_EQ(screen.pixel(5, 70), Q(dashed.Color));         // dashed slave's horizontal line
    EXPECT_EQ(screen.pixel(18, 70), Q(kPaper));              // its first gap
    EXPECT_EQ(screen.pixel(24, 70), Q(dashed.Color));
}

} // namespace

// The picture step on every kernel level the processor has, against its rule written out
// pixel by pixel: widths around the vector steps (the source's top row is the last in
// memory, so a read past its end would show under ASan), x1 scrolled both ways, x2 with
// fractional offsets, the smallest factor, fit, and scrolled past the picture's end.
TEST(PictureStep, EveryKernelLevelFollowsTheMappingRule) {
    struct Case {
        int bai;
        double x, y;
    };
    const Case views[] = {{1, 0, 0}, {1, -7, -3}, {1, 5, 2}, {6, -10.5, -1.25},
                          {2, -1, 0}, {0, 0, 0},  {1, -60, 0}};
    const int sizes[][2] = {{1, 1}, {5, 3}, {16, 4}, {17, 9}, {33, 5}, {64, 7}, {97, 13}};
    ForEachKernelLevel([&](KernelLevel) {
        for (const auto& size : sizes)
            for (const Case& v : views)
                for (const int areaW : {1, 9, 40, 67}) {
                    SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " x" << v.bai
                                                    << " at " << v.x << "," << v.y << " area "
                                                    << areaW);
                    CDibImage picture;
                    ASSERT_TRUE(picture.create(size[0], size[1], 24));
                    FillWithEdgeValues(picture, static_cast<unsigned>(size[0] * 31 + areaW));
                    const ViewMapping view = View(v.bai, v.x, v.y);
                    const int areaH = 11;
                    QImage area(areaW, areaH, QImage::Format_RGB32);
                    area.fill(0x12345678u);
                    DrawPictureStep(area, picture, view);
                    const auto index = [&](int j, int area, int source, double offset) {
                        if (view.fitted()) {
                            const float ratio = static_cast<float>(source) / static_cast<float>(area);
                            return std::min(static_cast<int>(static_cast<float>(j) * ratio), source - 1);
                        }
                        const double s = std::floor(j / view.factor() - offset);
                        return s >= 0 && s < source ? static_cast<int>(s) : -1;
                    };
                    for (int i = 0; i < areaH; ++i)
                        for (int j = 0; j < areaW; ++j) {
                            const int sx = index(j, areaW, size[0], v.x);
                            const int sy = index(i, areaH, size[1], v.y);
                            QRgb want = qRgb(0, 0, 0);
                            if (sx >= 0 && sy >= 0) {
                                const std::uint8_t* p = picture.scanLine(sy) + 3 * sx;
                                want = qRgb(p[2], p[1], p[0]);
                            }
                            ASSERT_EQ(area.pixel(j, i), want) << j << "," << i;
                        }
                }
    });
}

// Level and upright one-pixel lines are filled as rectangles: the same pixels as Qt's own
// line, whichever way they run, cut at the picture's edges, and the other lines unchanged.
TEST(OverlayPainter, StraightThinLinesHaveTheLinePixels) {
    const int lines[][4] = {{2, 5, 20, 5},   {20, 5, 2, 5},   {5, 2, 5, 20},  {5, 20, 5, 2},
                            {-10, 7, 50, 7}, {7, -10, 7, 50}, {0, 0, 39, 0},  {3, 3, 4, 3},
                            {3, 3, 3, 4},    {39, 29, 0, 29}, {45, 3, 60, 3}, {2, 3, 30, 17}};
    for (const int width : {0, 1, 3})
        for (const auto& l : lines) {
            SCOPED_TRACE(testing::Message() << "width " << width << " (" << l[0] << "," << l[1]
                                            << ")-(" << l[2] << "," << l[3] << ")");
            OverlayList list;
            list.line(RGB(10, 200, 30), width, OverlayPoint{l[0], l[1]}, OverlayPoint{l[2], l[3]});
            QImage painted(40, 30, QImage::Format_RGB32), expected(40, 30, QImage::Format_RGB32);
            painted.fill(Qt::black);
            expected.fill(Qt::black);
            {
                QPainter p(&painted);
                PaintOverlay(p, list, LOGFONT{});
            }
            {
                QPainter p(&expected);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(CanvasPen(width, RGB(10, 200, 30)));
                p.drawLine(l[0], l[1], l[2], l[3]);
            }
            EXPECT_EQ(painted, expected);
        }
}

// Labels drawn from their cached layout have the pixels of drawText, in every size and
// weight, over frames and after the font changes; a label with a line break is drawn by
// drawText itself.
TEST(OverlayPainter, CachedLabelsHaveTheDrawTextPixels) {
    const char* const texts[] = {"12.345 mm", "L1 45.6 um", "A3 3.21 mm2", "角度 45.6°", "x", "Wg|jq", "a\nb"};
    for (const int height : {-9, -13, -24, 16})
        for (const int weight : {400, 700}) {
            LOGFONT font;
            font.lfHeight = height;
            font.lfWeight = weight;
            for (int frame = 0; frame < 2; ++frame)
                for (const char* text : texts) {
                    SCOPED_TRACE(testing::Message() << height << " " << weight << " '" << text << "'");
                    OverlayList list;
                    list.text(RGB(250, 250, 0), OverlayPoint{3 + frame, 5}, text);
                    QImage painted(220, 60, QImage::Format_RGB32), expected(220, 60, QImage::Format_RGB32);
                    painted.fill(Qt::black);
                    expected.fill(Qt::black);
                    {
                        QPainter p(&painted);
                        PaintOverlay(p, list, font);
                    }
                    {
                        QPainter p(&expected);
                        p.setRenderHint(QPainter::TextAntialiasing, false);
                        const QFont f = CanvasFont(font);
                        p.setFont(f);
                        p.setPen(QColor(250, 250, 0));
                        p.drawText(QPoint(3 + frame, 5 + QFontMetrics(f).ascent()), QString::fromUtf8(text));
                    }
                    EXPECT_EQ(painted, expected);
                }
        }
}
