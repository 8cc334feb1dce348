// SPDX-License-Identifier: GPL-3.0-or-later
// Moments as ISO 8601 UTC text, 2026-12-08T10:15:30.5Z: the seconds' decimals
// as exact as the input's and no more, always after a point, as ISO readers
// expect whatever the decimal separator of the numbers. A leap second is
// :60. Never throws but std::bad_alloc.
#pragma once

#include <cstdint>
#include <string>

#include "batch/summary/trip_figures.h"

namespace zelva::batch {

struct CivilDate {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
};

// The date of a day number (civil_date.h), proleptic Gregorian.
CivilDate civilDate(std::int64_t dayNumber);

void appendIsoTime(std::string& out, const Instant& instant);

} // namespace zelva::batch
