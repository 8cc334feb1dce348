// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/summary/top_speed.h"

#include <algorithm>

#include "batch/legs/leg.h"

namespace zelva::batch {

void TopSpeed::add(std::int64_t nanoseconds, double metres)
{
    fixes_.push_back({nanoseconds, metres});
    const Point& last = fixes_.back();
    // Oldest first: those at least 10 s back come before the others.
    for (auto it = fixes_.begin(); it + 1 != fixes_.end(); ++it) {
        const std::int64_t span = last.nanoseconds - it->nanoseconds;
        if (span < kTopSpeedNanoseconds)
            break;
        if (const std::optional<double> speed = zelva::batch::metresPerSecond(last.metres - it->metres, span))
            fastest_ = std::max(fastest_.value_or(*speed), *speed);
    }
    while (fixes_.size() > 2 && last.nanoseconds - fixes_[1].nanoseconds >= 3 * kTopSpeedNanoseconds)
        fixes_.pop_front();
    if (fixes_.size() > kMostTopSpeedFixes)
        fixes_.pop_front();
}

} // namespace zelva::batch
