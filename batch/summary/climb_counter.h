// SPDX-License-Identifier: GPL-3.0-or-later
// Ascent and descent from the elevations of a list, and its lowest and
// highest point. A receiver's elevation scatters by metres from fix to fix,
// and every up and down of the scatter summed would make a flat walk climb
// hundreds of metres. So the elevations of a timed stretch are first smoothed:
// each is replaced by a straight line fitted to the elevations within
// kClimbHalfWindow seconds either side, at its time (a line, not a mean, so
// a climb keeps its ends); then a climb or a descent counts only once it has
// gone kClimbHysteresis metres from the last turn, and then counts whole.
// Elevations without times (a route) are counted as they are. The lowest and
// highest are of the smoothed elevations. Holds the elevations of 30 s, at
// most kMostClimbFixes. Never throws but std::bad_alloc.
#pragma once

#include <deque>
#include <optional>

namespace zelva::batch {

constexpr double kClimbHalfWindow = 15.0;  // s
constexpr double kClimbHysteresis = 5.0;   // m
constexpr std::size_t kMostClimbFixes = 1200;

class ClimbCounter {
public:
    void add(double seconds, double elevation);
    void addUntimed(double elevation) { count(elevation); }
    // The timed stretch has ended.
    void flush();

    // None without a single elevation.
    std::optional<double> ascent() const { return lowest_ ? std::optional(ascent_) : std::nullopt; }
    std::optional<double> descent() const { return lowest_ ? std::optional(descent_) : std::nullopt; }
    std::optional<double> lowest() const { return lowest_; }
    std::optional<double> highest() const { return highest_; }

private:
    struct Point {
        double seconds;
        double elevation;
    };
    void smoothNext();
    void count(double elevation);

    std::deque<Point> window_;
    std::size_t next_ = 0;  // the first in window_ not yet smoothed

    std::optional<double> turn_;  // the elevation of the last turn
    int direction_ = 0;           // +1 climbing, -1 descending, 0 not yet either
    double ascent_ = 0.0;
    double descent_ = 0.0;
    std::optional<double> lowest_, highest_;
};

} // namespace zelva::batch
