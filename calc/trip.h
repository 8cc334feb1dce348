// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of "&Calcola" on numbers: two fixes in, times of day, distance
// and speeds out. A value a step could not produce is nullopt; it then counts
// as 0 in the steps after it. Pure, exactly rounded as spelled out; never throws.
#pragma once

#include <optional>

namespace zelva {

using MaybeNumber = std::optional<double>;

// One fix as typed; nullopt where the cell's text was not a number.
struct Fix {
    MaybeNumber latitude;   // degrees north, any value (beyond +-90 goes on over the pole)
    MaybeNumber longitude;  // degrees east, any value
    MaybeNumber hours;      // h, any value, fractions included
    MaybeNumber minutes;    // min, any value
    double seconds = 0.0;   // s, any value; a seconds text that is not a number is 0
};

struct Trip {
    MaybeNumber timeOfDay1;  // s since midnight; nullopt on overflow
    MaybeNumber timeOfDay2;
    double interval = 0.0;   // s, >= 0, no day boundary; 0 on overflow
    MaybeNumber distanceKm;  // km on a sphere of radius 6371 km, [0, 20015.09]
    MaybeNumber distanceM;   // m
    MaybeNumber speedMs;     // m/s; nullopt when the interval is 0 or it overflows
    MaybeNumber speedKmh;    // km/h; nullopt whenever speedMs is
};

// (hours x 3600 + minutes x 60) + seconds, in s; nullopt on overflow.
MaybeNumber secondsOfDay(MaybeNumber hours, MaybeNumber minutes, double seconds) noexcept;

// Degrees (any value) to radians, through the program's 3.14159265; nullopt on overflow.
MaybeNumber toRadians(MaybeNumber degrees) noexcept;

// Cosine of the central angle between two points given in radians, by the
// spherical law of cosines; nullopt when a sine or cosine is not available.
MaybeNumber centralCosine(double latitude1, double longitude1, double latitude2, double longitude2) noexcept;

// The central angle in radians, [0, pi], of a cosine; 0 at 1 and above.
double centralAngle(double cosine) noexcept;

Trip computeTrip(const Fix& first, const Fix& second) noexcept;

} // namespace zelva
