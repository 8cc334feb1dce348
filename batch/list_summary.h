// SPDX-License-Identifier: GPL-3.0-or-later
// What one list of fixes adds up to: its fixes, the distance of all its legs,
// and the time, mean speed and fastest speed of the legs that have clocks. The
// speeds are reckoned as the window reckons a leg's. Never throws.
#pragma once

#include <algorithm>
#include <optional>

#include "batch/leg_builder.h"

namespace zelva::batch {

struct ListSummary {
    long line = 0;   // where the list's first fix begins
    long fixes = 0;
    double distanceKm = 0.0;
    double durationS = 0.0;       // the legs with clocks
    double timedDistanceM = 0.0;  // the distance of those legs
    bool anyTimed = false;
    std::optional<double> fastestKmh;

    void add(const Leg& leg)
    {
        distanceKm += leg.trip.distanceKm;
        if (!leg.timed)
            return;
        anyTimed = true;
        durationS += leg.trip.interval;
        timedDistanceM += leg.trip.distanceM;
        if (leg.trip.speedKmh)
            fastestKmh = std::max(fastestKmh.value_or(*leg.trip.speedKmh), *leg.trip.speedKmh);
    }

    // Over the legs with clocks; none over no time.
    std::optional<double> meanKmh() const
    {
        if (durationS == 0.0)
            return std::nullopt;
        return (timedDistanceM / durationS) * (36.0 / 10.0);
    }
};

} // namespace zelva::batch
