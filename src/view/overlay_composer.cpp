#include "view/overlay_composer.h"

#include "settings/app_settings.h"
#include "calib/view_mapping.h"
#include "images/canvas.h"
#include "images/dib_image.h"
#include "view/overlay_layers.h"
#include "view/overlay_list.h"
#include "view/overlay_painter.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr QRgb kBlack = 0xFF000000u;

// Source column or row for each area column or row; -1 where the area shows no pixel
// of the source.
void SourceIndexes(std::vector<int>& out, int areaSize, int sourceSize, const ViewMapping& view,
                   double offset) {
    out.resize(static_cast<std::size_t>(areaSize));
    if (view.fitted()) {
        const float ratio = static_cast<float>(sourceSize) / static_cast<float>(areaSize);
        for (int j = 0; j < areaSize; ++j)
            out[static_cast<std::size_t>(j)] =
                std::clamp(static_cast<int>(static_cast<float>(j) * ratio), 0, sourceSize - 1);
        return;
    }
    const double f = view.factor();
    for (int j = 0; j < areaSize; ++j) {
        const double s = std::floor(j / f - offset);
        out[static_cast<std::size_t>(j)] = s >= 0 && s < sourceSize ? static_cast<int>(s) : -1;
    }
}

} // namespace

void DrawPictureStep(QImage& area, const CDibImage& source, const ViewMapping& view) {
    const int w = area.width();
    const int h = area.height();
    const int bits = source.bitCount();
    if (w <= 0 || h <= 0)
        return;
    if (source.isNull() || source.width() <= 0 || source.height() <= 0 || (bits != 24 && bits != 8)) {
        area.fill(kBlack);
        return;
    }
    thread_local std::vector<int> columns;
    thread_local std::vector<int> rows;
    SourceIndexes(columns, w, source.width(), view, view.m_Bai_X);
    SourceIndexes(rows, h, source.height(), view, view.m_Bai_Y);
    if (bits == 24)
        for (int& c : columns)
            if (c >= 0)
                c *= 3; // byte offsets within the row
    int previousRow = -2;
    const QRgb* previousOut = nullptr;
    for (int i = 0; i < h; ++i) {
        auto* out = reinterpret_cast<QRgb*>(area.scanLine(i));
        const int sr = rows[static_cast<std::size_t>(i)];
        if (sr == previousRow && previousOut) {
            // Magnified rows repeat: copy the row made just before.
            std::memcpy(out, previousOut, static_cast<std::size_t>(w) * sizeof(QRgb));
            previousOut = out;
            continue;
        }
        previousRow = sr;
        previousOut = out;
        if (sr < 0) {
            std::fill(out, out + w, kBlack);
            continue;
        }
        const std::uint8_t* in = source.scanLine(sr);
        if (bits == 24) {
            const int* offsets = columns.data();
            for (int j = 0; j < w; ++j) {
                const int c = offsets[j];
                if (c < 0) {
                    out[j] = kBlack;
                    continue;
                }
                const std::uint8_t* px = in + c;
                out[j] = kBlack | (QRgb{px[2]} << 16) | (QRgb{px[1]} << 8) | px[0];
            }
        } else {
            for (int j = 0; j < w; ++j) {
                const int c = columns[static_cast<std::size_t>(j)];
                const QRgb v = c < 0 ? 0 : in[c];
                out[j] = kBlack | (v << 16) | (v << 8) | v;
            }
        }
    }
}

bool ComposePictureArea(QImage& buffer, const CDibImage& picture, const CDibImage* preview,
                        const ViewMapping& view, const ViewGeometry& geometry,
                        const OverlayInputs& in, OverlayList& scratch) {
    const int w = geometry.area.width();
    const int h = geometry.area.height();
    if (w <= 0 || h <= 0)
        return false;
    if (buffer.width() != w || buffer.height() != h || buffer.format() != QImage::Format_RGB32)
        buffer = QImage(w, h, QImage::Format_RGB32);
    if (buffer.isNull())
        return false;
    DrawPictureStep(buffer, preview ? *preview : picture, view);

    ViewGeometry local = geometry;
    local.area = {0, 0, w, h};
    const OverlayMapping map = OverlayMapping::ForView(view, local);
    scratch.clear();
    if (in.pictureLayer)
        in.pictureLayer(scratch, map);
    AppendOverlayLayers(scratch, map, in);
    if (scratch.items().empty() || !in.color)
        return true;
    QPainter painter(&buffer);
    PaintOverlay(painter, scratch, in.color->font);
    return true;
}

int DrawOverlayOntoImage(CDibImage& image, const OverlayInputs& in) {
    if (image.isNull() || image.bitCount() != 24 || !in.color)
        return 0;
    OverlayMapping map;
    map.imageWidth = image.width();
    map.imageHeight = image.height();
    OverlayInputs layers = in;
    layers.pictureLayer = nullptr;
    OverlayList list;
    AppendOverlayLayers(list, map, layers);
    if (list.items().empty())
        return 1;
    // Painted by the screen's own overlay code on the canvas's top-down view.
    Canvas canvas(image);
    QPainter* painter = canvas.painter();
    if (!painter)
        return 0;
    PaintOverlay(*painter, list, in.color->font);
    return 1;
}
