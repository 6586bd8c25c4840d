#pragma once

// Integer rectangle with exclusive right and bottom edges.
struct IntRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }

    IntRect intersected(const IntRect& o) const {
        IntRect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
                  right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
        if (r.isEmpty())
            return IntRect{};
        return r;
    }
    bool operator==(const IntRect&) const = default;
};
