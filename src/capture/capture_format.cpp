#include "capture/capture_format.h"

#include "capture/media_subtype.h"
#include "platform/text_format.h"

#include <cstdlib>
#include <limits>
#include <numeric>

namespace {

constexpr std::int64_t kUnitsPerSecond = 10000000;

// Distance of a rate from an interval, compared in interval units.
std::int64_t IntervalDistance(FrameRate rate, std::int64_t interval) {
    return std::llabs(IntervalOfRate(rate) - interval);
}

bool SameSize(const CaptureFormat& f, const FormatRequest& r) {
    return f.width == r.width && f.height == r.height;
}

bool Convertible(const CaptureFormat& f) { return FindMediaSubtype(f.subtype) != nullptr; }

} // namespace

std::int64_t IntervalOfRate(FrameRate rate) {
    if (!rate.isSet())
        return 0;
    // Truncated, the way frame intervals are usually stated (333333 for 30/1), so that
    // 10^8 / interval gives back the rate x 10.
    return kUnitsPerSecond * rate.den / rate.num;
}

FrameRate RateOfInterval(std::int64_t interval) {
    if (interval <= 0)
        return {};
    const std::int64_t g = std::gcd(kUnitsPerSecond, interval);
    const std::int64_t num = kUnitsPerSecond / g;
    std::int64_t den = interval / g;
    if (den > std::numeric_limits<int>::max())
        return {1, std::numeric_limits<int>::max()}; // slower than anything a camera does
    return {static_cast<int>(num), static_cast<int>(den)};
}

FrameRate NearestRate(const CaptureFormat& format, std::int64_t interval) {
    if (!format.rates.empty()) {
        FrameRate best;
        std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
        for (const FrameRate& r : format.rates) {
            if (!r.isSet())
                continue;
            const std::int64_t d = IntervalDistance(r, interval);
            if (d < bestDistance) {
                best = r;
                bestDistance = d;
            }
        }
        return best;
    }
    if (!format.minRate.isSet() || !format.maxRate.isSet())
        return {};
    // Slower rates have longer intervals.
    if (interval <= 0 || interval < IntervalOfRate(format.maxRate))
        return format.maxRate;
    if (interval > IntervalOfRate(format.minRate))
        return format.minRate;
    return RateOfInterval(interval);
}

FrameRate HighestRate(const CaptureFormat& format) {
    FrameRate best = format.maxRate;
    for (const FrameRate& r : format.rates)
        if (r.isSet() && (!best.isSet() || r.perSecond() > best.perSecond()))
            best = r;
    return best;
}

std::vector<FormatRow> FormatRows(std::span<const CaptureFormat> formats) {
    std::vector<FormatRow> rows;
    for (const CaptureFormat& f : formats) {
        if (!f.rates.empty()) {
            for (const FrameRate& r : f.rates)
                rows.push_back({f.width, f.height, f.subtype, r});
        } else {
            rows.push_back({f.width, f.height, f.subtype, f.maxRate});
            if (f.minRate.isSet() && !(f.minRate == f.maxRate))
                rows.push_back({f.width, f.height, f.subtype, f.minRate});
        }
    }
    return rows;
}

FormatChoice ChooseFormat(std::span<const CaptureFormat> formats, const FormatRequest& request) {
    using Kind = FormatChoice::Kind;
    const bool anySubtype = IsAnySubtype(request.subtype);
    auto choice = [&](Kind kind, const CaptureFormat& f) {
        return FormatChoice{kind, f.width, f.height, f.subtype, NearestRate(f, request.frameInterval)};
    };

    // 1. Exactly the requested size and subtype; the last such format is in force.
    const CaptureFormat* exact = nullptr;
    if (!anySubtype)
        for (const CaptureFormat& f : formats)
            if (SameSize(f, request) && f.subtype == request.subtype)
                exact = &f;
    if (exact)
        return choice(Kind::Exact, *exact);

    // 2. "Any": the requested size in a subtype the capture can convert, at the nearest rate.
    const CaptureFormat* sized = nullptr;
    std::int64_t sizedDistance = std::numeric_limits<std::int64_t>::max();
    for (const CaptureFormat& f : anySubtype ? formats : std::span<const CaptureFormat>{}) {
        if (!SameSize(f, request) || !Convertible(f))
            continue;
        const FrameRate r = NearestRate(f, request.frameInterval);
        const std::int64_t d = r.isSet() ? IntervalDistance(r, request.frameInterval)
                                         : std::numeric_limits<std::int64_t>::max() - 1;
        if (d < sizedDistance) {
            sized = &f;
            sizedDistance = d;
        }
    }
    if (sized)
        return choice(Kind::Requested, *sized);

    // 3. The nearest size, in the requested subtype when the device has it.
    bool deviceHasSubtype = false;
    for (const CaptureFormat& f : formats)
        if (!anySubtype && f.subtype == request.subtype)
            deviceHasSubtype = true;
    const CaptureFormat* nearest = nullptr;
    std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
    for (const CaptureFormat& f : formats) {
        if (!Convertible(f) || f.width <= 0 || f.height <= 0)
            continue;
        if (deviceHasSubtype && f.subtype != request.subtype)
            continue;
        const std::int64_t d = std::llabs(std::int64_t{f.width} - request.width) +
                               std::llabs(std::int64_t{f.height} - request.height);
        if (d < nearestDistance) {
            nearest = &f;
            nearestDistance = d;
        }
    }
    if (nearest)
        return choice(Kind::Nearest, *nearest);

    // 4. Nothing known: ask for the subtype alone and take what comes.
    FormatChoice open;
    open.kind = Kind::Open;
    open.subtype = request.subtype;
    return open;
}

std::string CapsForChoice(const FormatChoice& choice) {
    std::string caps = MediaSubtypeCaps(choice.subtype);
    if (caps.empty())
        caps = "video/x-raw";
    if (choice.width > 0 && choice.height > 0)
        caps += StrFormat(",width=%d,height=%d", choice.width, choice.height);
    if (choice.rate.isSet())
        caps += StrFormat(",framerate=%d/%d", choice.rate.num, choice.rate.den);
    return caps;
}
