// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of "&Calcola" on numbers: two fixes in, times of day, distance
// and speeds out. A result that overflows is left out or 0, as each field says,
// and counts as 0 in the steps after it. Pure, exactly rounded as spelled out;
// never throws.
#pragma once

#include <optional>

namespace zelva {

// m/s to km/h: the double nearest 3.6, formed as the quotient the published
// results were made with (the batch program's speeds use it too).
inline constexpr double kKmhPerMs = 36.0 / 10.0;

// One fix as numbers; whoever read them has already counted an unreadable one as 0.
struct Fix {
    double latitude = 0.0;   // degrees north, any value (beyond +-90 goes on over the pole)
    double longitude = 0.0;  // degrees east, any value
    double hours = 0.0;      // h, any value, fractions included
    double minutes = 0.0;    // min, any value
    double seconds = 0.0;    // s, any value
};

struct Trip {
    std::optional<double> timeOfDay1;  // s since midnight; nullopt on overflow
    std::optional<double> timeOfDay2;
    double interval = 0.0;             // s, >= 0, no day boundary; 0 on overflow
    double distanceKm = 0.0;           // km on a sphere of radius 6371 km, [0, 20015.09]
    double distanceM = 0.0;            // m
    std::optional<double> speedMs;     // m/s; nullopt when the interval is 0 or it overflows
    std::optional<double> speedKmh;    // km/h; nullopt whenever speedMs is
};

Trip computeTrip(const Fix& first, const Fix& second) noexcept;

} // namespace zelva
