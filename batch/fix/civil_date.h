// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as day numbers, counted from 1 March 2000 by the civil calendar, so
// that two dates' difference is the days between them. Never throws.
#pragma once

#include <cstdint>
#include <optional>

namespace zelva::batch {

// nullopt for a date that does not exist or a year before 1980.
inline std::optional<std::int64_t> dayNumber(int year, int month, int day)
{
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year < 1980 || year > 9999 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1]
        || (month == 2 && day == 29 && !leap))
        return std::nullopt;
    // Years that begin in March put the leap day last.
    if (month < 3) {
        --year;
        month += 12;
    }
    const std::int64_t y = year - 2000;
    return y * 365 + (y + 400) / 4 - (y + 400) / 100 + (y + 400) / 400 - 97 + (153 * (month - 3) + 2) / 5
         + day - 1;
}

} // namespace zelva::batch
