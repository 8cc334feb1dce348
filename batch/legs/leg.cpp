// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/legs/leg.h"

#include <cmath>

#include "batch/fix/clock.h"
#include "calc/trip.h"

namespace zelva::batch {

namespace {

std::optional<double> finite(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

std::optional<double> metresPerSecond(double metres, std::int64_t nanoseconds)
{
    return nanoseconds == 0 ? std::nullopt : finite(metres / secondsOf(nanoseconds));
}

std::optional<double> kilometresPerHour(const std::optional<double>& metresPerSecond)
{
    return metresPerSecond ? finite(*metresPerSecond * kKmhPerMs) : std::nullopt;
}

std::optional<double> Leg::speedMs() const
{
    return intervalNanoseconds ? metresPerSecond(distanceM(), *intervalNanoseconds) : std::nullopt;
}

} // namespace zelva::batch
