#include "view/focus_area.h"

#include "images/dib_image.h"
#include "images/grey_convert.h"
#include "view/direction_cursor.h"

#include <algorithm>
#include <cmath>

namespace {

bool In(int v, long long from, long long to) {
    return v >= from && v < to;
}

// Mean Sobel magnitude over the considered pixels; `rowOf(y)` gives the grey levels of
// picture row y as a pointer that is indexed by x - `shift`, `cut` is the part of the
// picture whose pixels have all neighbours.
template <class Rows>
std::int32_t MeanSobel(const IntRect& rect, const IntRect& cut, Rows rowOf, int shift) {
    const long long w = static_cast<long long>(rect.right) - rect.left;
    const long long h = static_cast<long long>(rect.bottom) - rect.top;
    const long long radius = w / 2;
    if (radius < 0)
        return 0;
    const long long cx = w / 2 - 1; // the circle's centre as offsets from the first pixel
    const long long cy = h / 2 - 1;
    const long long first = static_cast<long long>(rect.left) + 1;
    const long long top = static_cast<long long>(rect.top) + 1;
    const long long x0 = std::max<long long>(first, cut.left);
    const long long x1 = std::min<long long>(static_cast<long long>(rect.right) - 2, cut.right - 1);
    const long long y0 = std::max<long long>(top, cut.top);
    const long long y1 =
        std::min<long long>(static_cast<long long>(rect.bottom) - 2, cut.bottom - 1);
    double sum = 0.0;
    long long count = 0;
    for (long long y = y0; y <= y1; ++y) {
        const long long di = cy - (y - top);
        if (di > radius || -di > radius)
            continue;
        const long long rest = radius * radius - di * di;
        if (rest < 0)
            continue;
        // Columns of this row inside the circle: |cx - k| <= sqrt(rest).
        long long reach = static_cast<long long>(std::sqrt(static_cast<double>(rest)));
        while (reach * reach > rest)
            --reach;
        while ((reach + 1) * (reach + 1) <= rest)
            ++reach;
        const long long from = std::max(x0, first + cx - reach);
        const long long to = std::min(x1, first + cx + reach);
        const int yi = static_cast<int>(y);
        const std::uint8_t* up = rowOf(yi - 1);
        const std::uint8_t* mid = rowOf(yi);
        const std::uint8_t* down = rowOf(yi + 1);
        for (long long x = from; x <= to; ++x) {
            const std::size_t i = static_cast<std::size_t>(x - shift);
            const int a = up[i - 1], b = up[i], c = up[i + 1];
            const int d = mid[i - 1], f = mid[i + 1];
            const int g = down[i - 1], k = down[i], l = down[i + 1];
            const int gx = (c + 2 * f + l) - (a + 2 * d + g);
            const int gy = (g + 2 * k + l) - (a + 2 * b + c);
            const float m = std::sqrt(static_cast<float>(gx * gx + gy * gy));
            if (m > 0.0f) {
                sum += m;
                ++count;
            }
        }
    }
    return count == 0 ? 0 : static_cast<std::int32_t>(std::floor(sum / static_cast<double>(count)));
}

} // namespace

int FocusGripAt(const IntRect& r, int x, int y) {
    const long long l = r.left, t = r.top, rr = r.right, b = r.bottom;
    const int reach = kFocusGripReach;
    const bool atLeft = In(x, l - reach, l + reach);
    const bool atRight = In(x, rr - reach, rr + reach);
    const bool atTop = In(y, t - reach, t + reach);
    const bool atBottom = In(y, b - reach, b + reach);
    const bool alongX = In(x, l + reach, rr - reach);
    const bool alongY = In(y, t + reach, b - reach);
    if (atLeft && atTop)
        return FocusGrip::TopLeft;
    if (atLeft && atBottom)
        return FocusGrip::BottomLeft;
    if (atRight && atTop)
        return FocusGrip::TopRight;
    if (atRight && atBottom)
        return FocusGrip::BottomRight;
    if (alongX && atTop)
        return FocusGrip::Top;
    if (alongX && atBottom)
        return FocusGrip::Bottom;
    if (atLeft && alongY)
        return FocusGrip::Left;
    if (atRight && alongY)
        return FocusGrip::Right;
    return FocusGrip::None;
}

int FocusGripCursor(int grip) {
    switch (grip) {
    case FocusGrip::TopLeft:
    case FocusGrip::BottomRight:
        return CursorCode::SizeNwSe;
    case FocusGrip::BottomLeft:
    case FocusGrip::TopRight:
        return CursorCode::SizeNeSw;
    case FocusGrip::Top:
    case FocusGrip::Bottom:
        return CursorCode::SizeVertical;
    case FocusGrip::Left:
    case FocusGrip::Right:
        return CursorCode::SizeHorizontal;
    default:
        return 0;
    }
}

IntRect MoveFocusGrip(const IntRect& rect, int grip, int x, int y) {
    IntRect r = rect;
    switch (grip) {
    case FocusGrip::TopLeft:
        r.left = x;
        r.top = y;
        break;
    case FocusGrip::BottomLeft:
        r.left = x;
        r.bottom = y;
        break;
    case FocusGrip::TopRight:
        r.right = x;
        r.top = y;
        break;
    case FocusGrip::BottomRight:
        r.right = x;
        r.bottom = y;
        break;
    case FocusGrip::Top:
        r.top = y;
        break;
    case FocusGrip::Bottom:
        r.bottom = y;
        break;
    case FocusGrip::Left:
        r.left = x;
        break;
    case FocusGrip::Right:
        r.right = x;
        break;
    default:
        break;
    }
    return r;
}

IntRect NormalisedRect(const IntRect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

std::int32_t FocusAreaValue(const CDibImage& grey, const IntRect& rect) {
    if (grey.isNull() || grey.bitCount() != 8 || grey.width() < 3 || grey.height() < 3)
        return 0;
    const IntRect cut{1, 1, grey.width() - 1, grey.height() - 1};
    return MeanSobel(
        rect, cut, [&](int y) { return grey.scanLine(y); }, 0);
}

std::int32_t FocusAreaValueOfColour(const CDibImage& picture, const IntRect& rect,
                                    CDibImage& scratch) {
    const int bpp = picture.bitCount() == 24 ? 3 : picture.bitCount() == 32 ? 4 : 0;
    if (picture.isNull() || bpp == 0 || picture.width() < 3 || picture.height() < 3)
        return 0;
    // The considered pixels and their neighbours, within the picture.
    const IntRect window = IntRect{rect.left, rect.top, rect.right, rect.bottom}.intersected(
        {0, 0, picture.width(), picture.height()});
    if (window.isEmpty())
        return 0;
    if (scratch.width() < window.width() || scratch.height() < window.height() ||
        scratch.bitCount() != 8) {
        if (!scratch.createMemoryOnly(std::max(window.width(), scratch.width()),
                                      std::max(window.height(), scratch.height()), 8))
            return 0;
    }
    for (int y = window.top; y < window.bottom; ++y) {
        const std::uint8_t* in = picture.scanLine(y) + static_cast<std::size_t>(window.left) * bpp;
        std::uint8_t* out = scratch.scanLine(y - window.top);
        for (int x = 0; x < window.width(); ++x, in += bpp)
            out[x] = static_cast<std::uint8_t>(GreyLevel(in[2], in[1], in[0]));
    }
    const IntRect cut{1, 1, picture.width() - 1, picture.height() - 1};
    const int dy = window.top;
    return MeanSobel(
        rect, cut, [&](int y) { return scratch.scanLine(y - dy); }, window.left);
}
