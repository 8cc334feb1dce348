// SPDX-License-Identifier: GPL-3.0-or-later
// What a list of fixes comes to as a trip, once judged (list_judge.h), and
// what several lists come to together: a track's segments, a file, a run's
// files. Never throws.
#pragma once

#include <cstdint>
#include <optional>

namespace zelva::batch {

// A moment in UTC: a day number (civil_date.h) and the nanoseconds of that
// day, 86400 s and beyond within a leap second.
struct Instant {
    std::int64_t date = 0;
    std::int64_t nanoseconds = 0;

    friend bool operator<(const Instant& a, const Instant& b)
    {
        return a.date != b.date ? a.date < b.date : a.nanoseconds < b.nanoseconds;
    }
};

struct TripFigures {
    long fixes = 0;
    std::optional<Instant> start, end;  // where the first and the last fix have a date
    double distanceKm = 0.0;            // travelled: spikes left out, a stop's jitter counting nothing
    bool timed = false;                 // some leg has a time; then the times and spikes mean something
    std::int64_t elapsedNanoseconds = 0;
    std::int64_t movingNanoseconds = 0;
    std::int64_t stoppedNanoseconds = 0;
    double movingKm = 0.0;  // of the moving legs with times: the mean speed's and the pace's
    std::optional<double> topMetresPerSecond;
    std::optional<double> ascentM, descentM, lowestM, highestM;  // none without elevations
    long spikes = 0;

    // Another list into a total: sums, the earliest start and latest end, the extremes.
    void add(const TripFigures& other);

    std::optional<double> meanKmh() const;
    std::optional<double> topKmh() const;
    // Minutes per km over the moving time; none without moving time or distance.
    std::optional<double> paceMinutesPerKm() const;
};

// a + b, or a where the sum would not fit (292 years of nanoseconds).
std::int64_t addOrKeep(std::int64_t a, std::int64_t b);

} // namespace zelva::batch
