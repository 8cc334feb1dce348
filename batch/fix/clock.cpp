// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/fix/clock.h"

#include <cmath>

#include "batch/fix/fix.h"

namespace zelva::batch {

namespace {

// Each part apart is far below 2^53 ns for any clock (a day is 8.64e13 ns),
// so the double nearest the decimal, times its factor, is within a hundredth
// of a nanosecond of the decimal's value: rounding gives it back exactly.
// Each part below a sixth of the int64 range, so that neither their sum nor
// the difference of two sums can overflow.
constexpr double kPartLimit = 1.5e18;

std::optional<std::int64_t> part(double value, double nanosecondsPerUnit)
{
    const double ns = value * nanosecondsPerUnit;
    if (!(std::fabs(ns) < kPartLimit))
        return std::nullopt;
    return std::llround(ns);
}

} // namespace

std::optional<std::int64_t> clockNanoseconds(double hours, double minutes, double seconds) noexcept
{
    const auto h = part(hours, 3600.0 * kNanosecondsPerSecond);
    const auto m = part(minutes, 60.0 * kNanosecondsPerSecond);
    const auto s = part(seconds, static_cast<double>(kNanosecondsPerSecond));
    if (!h || !m || !s)
        return std::nullopt;
    return *h + *m + *s;
}

std::optional<std::int64_t> timeOfDayNanoseconds(int hours, int minutes, double seconds) noexcept
{
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || !(seconds >= 0.0 && seconds < 61.0))
        return std::nullopt;
    return clockNanoseconds(hours, minutes, seconds);
}

double secondsOf(std::int64_t nanoseconds) noexcept
{
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    constexpr double kPerSecond = static_cast<double>(kNanosecondsPerSecond);
    if (nanoseconds > -kExact && nanoseconds < kExact)
        return static_cast<double>(nanoseconds) / kPerSecond;
    return static_cast<double>(nanoseconds / kNanosecondsPerSecond)
         + static_cast<double>(nanoseconds % kNanosecondsPerSecond) / kPerSecond;
}

} // namespace zelva::batch
