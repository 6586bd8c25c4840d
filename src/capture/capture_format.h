#pragma once
#include "platform/guid.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Frames per second as a fraction, the way devices state their rates (30/1, 15/2).
struct FrameRate {
    int num = 0;
    int den = 1;
    bool isSet() const { return num > 0 && den > 0; }
    double perSecond() const { return isSet() ? static_cast<double>(num) / den : 0.0; }
    bool operator==(const FrameRate&) const = default;
};

// Average time per frame in 100-ns units for a rate (333333 for 30/1); 0 for no rate.
std::int64_t IntervalOfRate(FrameRate rate);
// The rate for an interval in 100-ns units, reduced (333333 -> 10000000/333333);
// no rate for an interval <= 0.
FrameRate RateOfInterval(std::int64_t interval);

// One format a device offers: a size in one subtype, at a list of rates or a range.
struct CaptureFormat {
    int width = 0;
    int height = 0;
    GUID subtype;
    std::vector<FrameRate> rates; // discrete rates in the device's order
    FrameRate minRate;            // a range, when `rates` is empty
    FrameRate maxRate;
};

// The rate of the format nearest to the interval (by interval); within a range the
// requested rate itself. No rate when the format states none.
FrameRate NearestRate(const CaptureFormat& format, std::int64_t interval);

// The highest rate the format offers (the one shown first in the format window).
FrameRate HighestRate(const CaptureFormat& format);

// Every (format, rate) pair of a device, in the device's order: the rows of the format window.
struct FormatRow {
    int width = 0;
    int height = 0;
    GUID subtype;
    FrameRate rate;
};
std::vector<FormatRow> FormatRows(std::span<const CaptureFormat> formats);

// What the capture asks the device for.
struct FormatRequest {
    int width = 640;
    int height = 480;
    std::int64_t frameInterval = 333333;
    GUID subtype; // "any" when the subtype table lacks it (MEDIASUBTYPE_None)
};

struct FormatChoice {
    enum class Kind {
        Exact,     // a format with the requested size and subtype, used as the device states it
        Requested, // the requested size in the requested subtype, or in any convertible one
        Nearest,   // the device lacks the size: the nearest size it offers
        Open,      // nothing known about the device: only the subtype is asked for
    };
    Kind kind = Kind::Open;
    int width = 0; // 0 with Kind::Open
    int height = 0;
    GUID subtype;   // the subtype asked for; "any" only with Kind::Open
    FrameRate rate; // unset: no rate is asked for
};

// Picks the format to ask for:
// 1. formats of exactly the requested size and subtype: the last of them, at its rate
//    nearest to the requested interval;
// 2. when "any" subtype is requested, formats of the requested size in a convertible
//    subtype: the first one offering the requested rate, else the first with the nearest;
// 3. otherwise the size nearest to the request in the requested subtype (any convertible
//    one when the device lacks that subtype), so that the device still delivers pictures;
// 4. a device that states no convertible format at all: Kind::Open.
// Formats whose subtype the table lacks cannot be converted and are never chosen.
FormatChoice ChooseFormat(std::span<const CaptureFormat> formats, const FormatRequest& request);

// The caps text for a choice, e.g. "video/x-raw,format=YUY2,width=1280,height=1024,framerate=30/1";
// "video/x-raw" for an open choice without a subtype.
std::string CapsForChoice(const FormatChoice& choice);
