#pragma once

// A point in image pixels: origin at the picture's top-left pixel, x to the
// right, y downward, before any screen magnification.
struct DPOINT {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const DPOINT&, const DPOINT&) = default;
};
