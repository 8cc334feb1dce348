// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as day numbers, counted from 1 March 2000 by the civil (proleptic
// Gregorian) calendar, so that two dates' difference is the days between
// them, from year 1 to 9999. Never throws.
#pragma once

#include <cstdint>
#include <optional>

namespace zelva::batch {

// nullopt for a date that does not exist or a year outside 1 to 9999.
inline std::optional<std::int64_t> dayNumber(int year, int month, int day)
{
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1]
        || (month == 2 && day == 29 && !leap))
        return std::nullopt;
    // Years that begin in March put the leap day last.
    if (month < 3) {
        --year;
        month += 12;
    }
    // Shifted by 25 cycles of 400 years, so that every division is of a
    // positive number; 2425 takes the shift's leap days back out.
    const std::int64_t y = year - 2000;
    const std::int64_t shifted = y + 10000;
    return y * 365 + shifted / 4 - shifted / 100 + shifted / 400 - 2425 + (153 * (month - 3) + 2) / 5 + day - 1;
}

} // namespace zelva::batch
