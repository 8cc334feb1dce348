// SPDX-License-Identifier: GPL-3.0-or-later
// Clock times kept as the exact decimals they were written in, to the
// nanosecond: a reading of hours, minutes and seconds, and the one rule of
// what a receiver's or a track's clock may show. nullopt where there is no
// such time. Never throws.
#pragma once

#include <cstdint>
#include <optional>

namespace zelva::batch {

// hours x 3600 + minutes x 60 + seconds, each read as the decimal it was
// written as (up to nine places of a second; more are rounded to the
// nanosecond); nullopt when not finite, or when a part is beyond 47 years.
std::optional<std::int64_t> clockNanoseconds(double hours, double minutes, double seconds) noexcept;

// A clock of the day: 0-23 h, 0-59 min, seconds from 0 to below 61 (60 is
// the leap second).
std::optional<std::int64_t> timeOfDayNanoseconds(int hours, int minutes, double seconds) noexcept;

// The double nearest a count of nanoseconds in seconds (to within one
// rounding beyond 2^53 ns, 104 days).
double secondsOf(std::int64_t nanoseconds) noexcept;

} // namespace zelva::batch
