// SPDX-License-Identifier: GPL-3.0-or-later
// The highest mean speed over any stretch of at least kTopSpeedSeconds: a
// single fast leg of a second or two, a receiver's jitter more than its
// motion, does not make it. The distance is what the stretch travelled (spikes
// left out, a stop's jitter counting nothing). A stretch of 30 s or more whose
// legs last under 10 s splits into two of at least 10 s, one of them as fast:
// so only the fixes of the last 30 s are held, with the one before them for a
// long leg, and at most kMostTopSpeedFixes. Never throws but std::bad_alloc.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

namespace zelva::batch {

constexpr std::int64_t kTopSpeedNanoseconds = 10'000'000'000;
constexpr std::size_t kMostTopSpeedFixes = 1200;

class TopSpeed {
public:
    // The next fix of a timed stretch: its time and the distance travelled to it.
    void add(std::int64_t nanoseconds, double metres);
    // A stretch has ended: no stretch spans the break.
    void reset() { fixes_.clear(); }
    // None where no stretch lasted 10 s.
    std::optional<double> metresPerSecond() const { return fastest_; }

private:
    struct Point {
        std::int64_t nanoseconds;
        double metres;
    };
    std::deque<Point> fixes_;
    std::optional<double> fastest_;
};

} // namespace zelva::batch
