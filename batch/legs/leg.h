// SPDX-License-Identifier: GPL-3.0-or-later
// A leg from one fix to the next, and where legs go: a writer of legs or of
// list summaries. Throws only what the sink throws.
#pragma once

#include <cstdint>
#include <optional>

#include "batch/fix/fix.h"

namespace zelva::batch {

struct Leg {
    const Fix& from;
    const Fix& to;
    double distanceKm = 0.0;
    // Exact, across the days between; none where a fix has no clock.
    std::optional<std::int64_t> intervalNanoseconds;

    long line() const { return to.line; }  // where the leg's second fix begins
    double distanceM() const { return distanceKm * 1000.0; }
    // The distance over the exact interval; none over no time or no clock.
    std::optional<double> speedMs() const;
};

// Metres over an exact time, in m/s; none over no time, or beyond the doubles.
std::optional<double> metresPerSecond(double metres, std::int64_t nanoseconds);
// With the window's factor, as it forms it.
std::optional<double> kilometresPerHour(const std::optional<double>& metresPerSecond);

class LegSink {
public:
    // A list begins with this fix; its legs follow.
    virtual void beginList(const Fix& first) = 0;
    virtual void leg(const Leg& leg) = 0;
    virtual void endList() = 0;
    // A leg by itself, outside any list (a row of ten numbers).
    virtual void pair(const Leg& leg) = 0;
    // The lists between are one track's (a GPX trk, a TCX activity), for its totals.
    virtual void beginTrack() {}
    virtual void endTrack() {}

protected:
    ~LegSink() = default;
};

} // namespace zelva::batch
