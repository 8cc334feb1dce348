// SPDX-License-Identifier: GPL-3.0-or-later
// The values of GPX, TCX and KML text: an xsd:dateTime as a UTC date and clock
// time, and degrees. Blanks around a value are allowed, anything else wrong is
// nullopt. Never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelva::batch {

struct UtcTime {
    std::int64_t date = 0;  // a day number (civil_date.h)
    double hours = 0.0, minutes = 0.0, seconds = 0.0;
};

// XML's white space: what may stand around a value and between coordinates.
inline bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// YYYY-MM-DDThh:mm:ss[.s...][Z|+hh:mm|-hh:mm]; without a zone it is UTC.
// Fractions of a second are kept; 60 s is a leap second.
std::optional<UtcTime> readDateTime(std::string_view text);

// A decimal number of degrees within [-limit, limit].
std::optional<double> readDegrees(std::string_view text, double limit);

} // namespace zelva::batch
