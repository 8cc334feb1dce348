// SPDX-License-Identifier: GPL-3.0-or-later
// One fix as every reader gives it: where (degrees on the globe), when (the
// exact clock time of day in nanoseconds, and its date where the input gives
// one), how high where known, and the input line it begins on. Never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelva::batch {

constexpr double kLatitudeLimit = 90.0;
constexpr double kLongitudeLimit = 180.0;

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr std::int64_t kNanosecondsPerDay = 86'400 * kNanosecondsPerSecond;

struct Clock {
    // Since the day's midnight, as written: 23:59:60.5 is 86400.5 s. A table
    // row may go beyond the day (25 h) or below it, as the window allows.
    std::int64_t nanoseconds = 0;
    std::optional<std::int64_t> date;  // a day number (civil_date.h)
};

struct Fix {
    long line = 0;
    double latitude = 0.0;   // degrees north
    double longitude = 0.0;  // degrees east
    std::optional<Clock> clock;      // none: a position alone (a route's point)
    std::optional<double> elevation; // metres, where the input gives it
};

// A rejected line or point: where, and why, in Italian.
struct Rejection {
    long line = 0;
    std::string reason;
};

} // namespace zelva::batch
