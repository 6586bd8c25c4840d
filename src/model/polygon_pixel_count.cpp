#include "model/polygon_pixel_count.h"

#include "images/dib_image.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

// A scanline rasteriser: rows are swept top to bottom with a list of the edges
// that reach the current row. Each edge yields, per row, one fill crossing and
// one outline run, so the work is proportional to the rows crossed, not to the
// pixels covered. Every quantity is an exact integer.

namespace {

using i64 = std::int64_t;

i64 FloorDiv(i64 a, i64 d) { // d > 0
    const i64 q = a / d;
    return (a % d != 0 && a < 0) ? q - 1 : q;
}

// floor((a + k * s) / d) for k = 0, 1, 2, ... without a division per step.
struct Stepper {
    i64 q = 0, r = 0, qs = 0, rs = 0, d = 1;

    void Init(i64 a, i64 s, i64 den) {
        d = den;
        q = FloorDiv(a, d);
        r = a - q * d;
        qs = FloorDiv(s, d);
        rs = s - qs * d;
    }
    void Advance() {
        // Branch-free: whether the remainder carries is as good as random.
        q += qs;
        r += rs;
        const i64 carry = static_cast<i64>(r >= d);
        q += carry;
        r -= d & -carry;
    }
};

struct Span {
    i64 a; // first column
    i64 b; // one past the last column
};

struct Vertex {
    i64 x;
    i64 y;
};

// A non-horizontal edge for the even-odd fill. It crosses the centre line of
// rows [first, end); `col` gives the first column whose centre is at or right
// of the crossing.
struct FillEdge {
    int first;
    int end;
    Stepper col;
};

// One edge of the outline; gives one run of pixels per row in [first, last].
struct OutlineEdge {
    enum Shape { Run, PerRow, PerColumn } shape;
    int first;
    int last;
    i64 lo = 0, hi = 0; // Run: the columns of its single row
    Stepper st;         // PerRow: the column; PerColumn: first step of the next row
    i64 xa = 0;         // PerColumn: start column, direction and number of steps
    i64 sign = 1;
    i64 steps = 0;
    i64 nextStart = 0;
};


bool ToVertex(const DPOINT& p, Vertex& v) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y))
        return false;
    const double x = std::trunc(p.x);
    const double y = std::trunc(p.y);
    if (std::fabs(x) > kMaxPolygonCoordinate || std::fabs(y) > kMaxPolygonCoordinate)
        return false;
    v = Vertex{static_cast<i64>(x), static_cast<i64>(y)};
    return true;
}

// Rows [lo, hi] clipped to the picture; false when nothing is left.
bool ClipRows(i64 lo, i64 hi, int height, int& first, int& last) {
    lo = std::max<i64>(lo, 0);
    hi = std::min<i64>(hi, height - 1);
    if (lo > hi)
        return false;
    first = static_cast<int>(lo);
    last = static_cast<int>(hi);
    return true;
}

void AddFillEdge(Vertex a, Vertex b, int height, std::vector<FillEdge>& out) {
    if (a.y == b.y)
        return; // never crosses a row centre
    if (a.y > b.y)
        std::swap(a, b);
    int first = 0, last = 0;
    if (!ClipRows(a.y, b.y - 1, height, first, last))
        return;
    const i64 dy = b.y - a.y;
    const i64 dx = b.x - a.x;
    // Crossing with the centre line of row y: x = a.x + (y + 0.5 - a.y) dx / dy.
    // First column c with c + 0.5 >= x: ceil(((2a.x - 1) dy + (2y + 1 - 2a.y) dx) / 2dy).
    const i64 den = 2 * dy;
    const i64 num = (2 * a.x - 1) * dy + (2 * (first - a.y) + 1) * dx;
    FillEdge e{first, last + 1, {}};
    e.col.Init(num + den - 1, 2 * dx, den);
    out.push_back(e);
}

void AddOutlineEdge(Vertex a, Vertex b, int height, std::vector<OutlineEdge>& out) {
    if (a.y > b.y || (a.y == b.y && a.x > b.x))
        std::swap(a, b); // top to bottom, so both directions give the same pixels
    OutlineEdge e{};
    if (!ClipRows(a.y, b.y, height, e.first, e.last))
        return;
    const i64 dy = b.y - a.y;
    const i64 dx = b.x - a.x;
    const i64 adx = dx < 0 ? -dx : dx;
    if (dy == 0) {
        e.shape = OutlineEdge::Run;
        e.lo = a.x;
        e.hi = b.x;
    } else if (adx < dy) {
        // One pixel per row: column floor(a.x + (y - a.y) dx / dy + 0.5).
        e.shape = OutlineEdge::PerRow;
        e.st.Init(2 * a.x * dy + 2 * (e.first - a.y) * dx + dy, 2 * dx, 2 * dy);
    } else {
        // One pixel per column. Counting u = 0 ... |dx| columns away from a,
        // row(u) = floor(a.y + u dy / |dx| + 0.5) never decreases; the run of
        // row y starts at u = ceil((2(y - a.y) - 1) |dx| / 2dy), clamped to 0.
        e.shape = OutlineEdge::PerColumn;
        e.xa = a.x;
        e.sign = dx < 0 ? -1 : 1;
        e.steps = adx;
        const i64 den = 2 * dy;
        e.st.Init((2 * (e.first - a.y) - 1) * adx + den - 1, 2 * adx, den);
        e.nextStart = std::max<i64>(e.st.q, 0);
        e.st.Advance();
    }
    out.push_back(e);
}

// Columns of the outline edge in the current row, as a half-open span; steps
// the edge on to the next row.
Span OutlineSpan(OutlineEdge& e) {
    switch (e.shape) {
    case OutlineEdge::Run:
        return Span{e.lo, e.hi + 1};
    case OutlineEdge::PerRow: {
        const i64 c = e.st.q;
        e.st.Advance();
        return Span{c, c + 1};
    }
    case OutlineEdge::PerColumn:
    default: {
        const i64 u0 = e.nextStart;
        const i64 u1 = std::min(e.steps, e.st.q - 1);
        e.nextStart = e.st.q;
        e.st.Advance();
        if (e.sign > 0)
            return Span{e.xa + u0, e.xa + u1 + 1};
        return Span{e.xa - u1, e.xa - u0 + 1};
    }
    }
}

template <typename Edge>
void SortByFirstRow(std::vector<Edge>& edges) {
    std::stable_sort(edges.begin(), edges.end(),
                     [](const Edge& l, const Edge& r) { return l.first < r.first; });
}

// An edge reaching the current row, with what the row's sweep needs of it kept beside its
// number so that sorting and merging read one array: for a fill edge the crossing column,
// for an outline edge its run [key, end).
struct ActiveEdge {
    i64 key;
    i64 end;
    std::uint32_t edge;
};

// Sorts by key. The active edges keep their order from one row to the next except where
// they cross, so insertion sort is nearly linear; a list that turns out badly shuffled is
// handed to std::sort.
void SortActive(std::vector<ActiveEdge>& active) {
    const std::size_t n = active.size();
    std::size_t moves = 0;
    const std::size_t budget = 4 * n + 64;
    for (std::size_t i = 1; i < n; ++i) {
        const ActiveEdge e = active[i];
        std::size_t j = i;
        while (j > 0 && active[j - 1].key > e.key) {
            active[j] = active[j - 1];
            --j;
            if (++moves > budget) {
                active[j] = e;
                std::sort(active.begin(), active.end(),
                          [](const ActiveEdge& l, const ActiveEdge& r) { return l.key < r.key; });
                return;
            }
        }
        active[j] = e;
    }
}

// Counts the union of spans handed over in order of their first column,
// clipped to the picture's columns.
class SpanUnion {
public:
    explicit SpanUnion(i64 width) : m_width(width) {}
    void Add(const Span& s) {
        const i64 a = std::max(s.a, m_covered);
        const i64 b = std::min(s.b, m_width);
        if (a < b) {
            m_total += b - a;
            m_covered = b;
        }
    }
    void NextRow() { m_covered = 0; }
    i64 Total() const { return m_total; }

private:
    i64 m_width;
    i64 m_covered = 0; // columns [0, m_covered) of the row are counted
    i64 m_total = 0;
};

i64 CountPixels(const std::vector<Vertex>& v, int width, int height) {
    const std::size_t n = v.size();
    std::vector<FillEdge> fill;
    std::vector<OutlineEdge> outline;
    fill.reserve(n);
    outline.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex a = v[i];
        const Vertex b = v[(i + 1) % n];
        AddFillEdge(a, b, height, fill);
        AddOutlineEdge(a, b, height, outline);
    }
    if (outline.empty())
        return 0; // nothing reaches the picture's rows
    SortByFirstRow(fill);
    SortByFirstRow(outline);

    std::vector<ActiveEdge> activeFill;
    std::vector<ActiveEdge> activeOutline;
    activeFill.reserve(fill.size());
    activeOutline.reserve(outline.size());
    std::uint32_t nextFill = 0;
    std::uint32_t nextOutline = 0;
    SpanUnion count(width);

    // Fill edges lie within their outline edges' rows, so the outline decides the range.
    int lastRow = 0;
    for (const OutlineEdge& e : outline)
        lastRow = std::max(lastRow, e.last);

    for (int y = outline.front().first; y <= lastRow; ++y) {
        while (nextFill < fill.size() && fill[nextFill].first == y) {
            activeFill.push_back({fill[nextFill].col.q, 0, nextFill});
            ++nextFill;
        }
        while (nextOutline < outline.size() && outline[nextOutline].first == y)
            activeOutline.push_back({0, 0, nextOutline++});

        for (ActiveEdge& a : activeOutline) {
            const Span span = OutlineSpan(outline[a.edge]);
            a.key = span.a;
            a.end = span.b;
        }
        SortActive(activeFill);
        SortActive(activeOutline);

        // Merge the even-odd spans (pairs of crossings, left to right) with the
        // outline runs, in order of their first column.
        count.NextRow();
        const std::size_t fills = activeFill.size() & ~std::size_t{1};
        const std::size_t outlines = activeOutline.size();
        std::size_t f = 0;
        std::size_t o = 0;
        while (f < fills || o < outlines) {
            if (f < fills && (o >= outlines || activeFill[f].key <= activeOutline[o].key)) {
                count.Add(Span{activeFill[f].key, activeFill[f + 1].key});
                f += 2;
            } else {
                count.Add(Span{activeOutline[o].key, activeOutline[o].end});
                ++o;
            }
        }

        // Step on to the next row; drop the edges that end here, keeping the order.
        std::size_t keep = 0;
        for (const ActiveEdge& a : activeFill) {
            FillEdge& e = fill[a.edge];
            e.col.Advance();
            if (y + 1 < e.end)
                activeFill[keep++] = {e.col.q, 0, a.edge};
        }
        activeFill.resize(keep);
        keep = 0;
        for (const ActiveEdge& a : activeOutline) {
            if (y < outline[a.edge].last)
                activeOutline[keep++] = a;
        }
        activeOutline.resize(keep);
    }
    return count.Total();
}

} // namespace

std::optional<std::int64_t> PolygonPixelCount(const DPOINT* points, int n, int width, int height) {
    if (points == nullptr || n < 2 || width <= 0 || height <= 0)
        return std::nullopt;
    if (std::int64_t{width} * height > CDibImage::kMaxPixels)
        return std::nullopt;
    try {
        std::vector<Vertex> v(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            if (!ToVertex(points[i], v[static_cast<std::size_t>(i)]))
                return std::nullopt;
        }
        return CountPixels(v, width, height);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<std::int64_t> PolygonPixelCount(const DPOINT* points, int n, const CDibImage& picture) {
    return PolygonPixelCount(points, n, picture.width(), picture.height());
}
