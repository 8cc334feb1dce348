// SPDX-License-Identifier: GPL-3.0-or-later
// The values of a table's fields as loggers and spreadsheets write them:
// numbers with either decimal separator, times of day, dates and date-times.
// Blanks around a value are allowed, anything else wrong is nullopt. Times
// are exact, as in clock.h. Never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "batch/fix/fix.h"

namespace zelva::batch {

// A decimal number, with ',' or '.' as the field shows (no digit grouping).
std::optional<double> readTableNumber(std::string_view field);

// Why a row's clock is refused where its parts add up beyond a time in nanoseconds.
constexpr std::string_view kClockOutOfRange = "ora fuori misura: ore, minuti e secondi danno più di 47 anni";

// h:mm:ss or hh:mm:ss, with a fraction of a second after '.' or ',', as
// nanoseconds since midnight (a clock of the day: 0-23 h, 60 s a leap second).
std::optional<std::int64_t> readTimeOfDay(std::string_view field);

// YYYY-MM-DD, or DD/MM/YYYY as Italian sheets write it (also D/M/YYYY and
// YYYY/MM/DD), as a day number (civil_date.h).
std::optional<std::int64_t> readTableDate(std::string_view field);

// An ISO 8601 date-time, as readDateTime reads it (Z, an offset or none =
// UTC), and also with a blank for the 'T', a decimal comma, and the offsets
// +hhmm and +hh: what loggers and sheets write.
std::optional<Clock> readTableDateTime(std::string_view field);

} // namespace zelva::batch
