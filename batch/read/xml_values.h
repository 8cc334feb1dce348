// SPDX-License-Identifier: GPL-3.0-or-later
// The values of GPX, TCX and KML text: an xsd:dateTime as a UTC date and clock
// time, degrees, and metres. Blanks around a value are allowed, anything else wrong is
// nullopt. Never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "batch/fix/fix.h"

namespace zelva::batch {


// XML's white space: what may stand around a value and between coordinates.
inline bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// YYYY-MM-DDThh:mm:ss[.s...][Z|+hh:mm|-hh:mm] as a UTC clock with its date;
// without a zone it is UTC. Fractions of a second are kept exactly; 60 s is a
// leap second.
std::optional<Clock> readDateTime(std::string_view text);

// A decimal number of degrees within [-limit, limit].
std::optional<double> readDegrees(std::string_view text, double limit);

// A decimal number of metres, any finite value.
std::optional<double> readMetres(std::string_view text);

} // namespace zelva::batch
