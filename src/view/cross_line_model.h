#pragma once
#include "view/cross_line.h"

#include <array>
#include <functional>

// The two cross-line lists, as the settings file and the cross-line window keep them.
struct CrossLineModel {
    static constexpr int kFirst = 0;
    static constexpr int kSecond = 1;

    std::array<CrossLineList, 2> lists;

    CrossLineList& list(int which) { return lists[which == kSecond ? 1 : 0]; }
    const CrossLineList& list(int which) const { return lists[which == kSecond ? 1 : 0]; }

    // The first list's master when the settings hold none: hidden, at (640, 480), green,
    // one pixel wide, opaque.
    static CROSSLINE DefaultMaster();

    // Places entry `index` so that its absolute position becomes (x, y): the master
    // takes the position, a slave the difference to the master. Values beyond the
    // int32 range are held at its ends.
    void placeAt(int which, std::size_t index, long long x, long long y);
};

// What a circle click did.
struct CircleClickResult {
    bool taken = false;     // an entry of the second list took the click
    bool completed = false; // and its circle is now defined (the message line is cleared)
};

// A left-button release on the picture, in image pixels: the first entry of the second
// list still collecting clicks takes it, snapped by `snap` when given, stored (truncated
// toward zero) as its next click. The circle through the three clicks (clicks not yet
// made count as (0, 0)) gives the entry's position and radius. Releases outside the
// picture are ignored.
CircleClickResult ApplyCircleClick(CrossLineModel& model, const DPOINT& imagePoint,
                                   bool insidePicture,
                                   const std::function<DPOINT(const DPOINT&)>& snap = {});
