// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/summary/trip_figures.h"

#include <algorithm>
#include <cmath>

#include "batch/fix/clock.h"
#include "batch/legs/leg.h"

namespace zelva::batch {

namespace {

template <typename T>
void keepLeast(std::optional<T>& kept, const std::optional<T>& other)
{
    if (other && (!kept || *other < *kept))
        kept = other;
}

template <typename T>
void keepMost(std::optional<T>& kept, const std::optional<T>& other)
{
    if (other && (!kept || *kept < *other))
        kept = other;
}

void addTo(std::optional<double>& sum, const std::optional<double>& other)
{
    if (other)
        sum = sum.value_or(0.0) + *other;
}

} // namespace

std::int64_t addOrKeep(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? a : sum;
}

void TripFigures::add(const TripFigures& other)
{
    fixes += other.fixes;
    keepLeast(start, other.start);
    keepMost(end, other.end);
    distanceKm += other.distanceKm;
    timed = timed || other.timed;
    elapsedNanoseconds = addOrKeep(elapsedNanoseconds, other.elapsedNanoseconds);
    movingNanoseconds = addOrKeep(movingNanoseconds, other.movingNanoseconds);
    stoppedNanoseconds = addOrKeep(stoppedNanoseconds, other.stoppedNanoseconds);
    movingKm += other.movingKm;
    keepMost(topMetresPerSecond, other.topMetresPerSecond);
    addTo(ascentM, other.ascentM);
    addTo(descentM, other.descentM);
    keepLeast(lowestM, other.lowestM);
    keepMost(highestM, other.highestM);
    spikes += other.spikes;
}

std::optional<double> TripFigures::meanKmh() const
{
    return kilometresPerHour(metresPerSecond(movingKm * 1000.0, movingNanoseconds));
}

std::optional<double> TripFigures::topKmh() const
{
    return kilometresPerHour(topMetresPerSecond);
}

std::optional<double> TripFigures::paceMinutesPerKm() const
{
    if (movingNanoseconds == 0 || movingKm <= 0.0)
        return std::nullopt;
    const double pace = secondsOf(movingNanoseconds) / 60.0 / movingKm;
    return std::isfinite(pace) ? std::optional(pace) : std::nullopt;
}

} // namespace zelva::batch
