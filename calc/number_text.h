// SPDX-License-Identifier: GPL-3.0-or-later
// Cell text <-> double under given regional settings, independent of the C locale.
// textToNumber: nullopt for empty/blank text, anything not a number, or a value
// beyond the double range; otherwise the nearest double. numberToText: at most 15
// significant digits, correctly rounded; never fails. Both may throw
// std::bad_alloc, and nothing else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/regional_settings.h"

namespace zelva {

std::optional<double> textToNumber(std::string_view text, const NumberFormat& format);
std::string numberToText(double value, const NumberFormat& format);
// numberToText's text added to the end of out, with no string of its own.
void appendNumberText(std::string& out, double value, const NumberFormat& format);

} // namespace zelva
