// SPDX-License-Identifier: GPL-3.0-or-later
// What one list of fixes adds up to: its fixes, the distance of all its legs,
// and the exact time, mean speed and fastest speed of the legs that have
// clocks. Never throws.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "batch/legs/leg.h"

namespace zelva::batch {

struct ListSummary {
    long line = 0;  // where the list's first fix begins
    long fixes = 0;
    double distanceKm = 0.0;
    std::int64_t durationNanoseconds = 0;  // the legs with clocks
    double timedDistanceM = 0.0;           // the distance of those legs
    bool anyTimed = false;
    std::optional<double> fastestKmh;

    void add(const Leg& leg)
    {
        ++fixes;
        distanceKm += leg.distanceKm;
        if (!leg.intervalNanoseconds)
            return;
        anyTimed = true;
        // A table's clocks may be anything; a sum beyond 292 years stays where it was.
        std::int64_t sum = 0;
        if (!__builtin_add_overflow(durationNanoseconds, *leg.intervalNanoseconds, &sum))
            durationNanoseconds = sum;
        timedDistanceM += leg.distanceM();
        if (const std::optional<double> kmh = leg.speedKmh())
            fastestKmh = std::max(fastestKmh.value_or(*kmh), *kmh);
    }

    // Over the legs with clocks; none over no time.
    std::optional<double> meanKmh() const
    {
        return kilometresPerHour(metresPerSecond(timedDistanceM, durationNanoseconds));
    }
};

} // namespace zelva::batch
