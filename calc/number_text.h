// SPDX-License-Identifier: GPL-3.0-or-later
// Cell text <-> double under given regional settings, independent of the C locale.
// textToNumber: nullopt for empty/blank text, anything not a number, or a value
// beyond the double range; otherwise the nearest double. numberToText: at most 15
// significant digits, correctly rounded; never fails. Both may throw
// std::bad_alloc, and nothing else.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calc/regional_settings.h"

namespace zelva {

std::optional<double> textToNumber(std::string_view text, const NumberFormat& format);
// The plain decimal that begins at p, an optional '-', digits, and the
// separator with more digits, as textToNumber reads that text: its value and
// where it ends. nullptr where it is no such number of at most 19 digits, or
// goes on as a longer one (digits, a second separator, an exponent): then
// textToNumber reads it the whole way. Never throws.
const char* readPlainDecimal(const char* p, const char* end, char separator, double& value) noexcept;
std::string numberToText(double value, const NumberFormat& format);
// numberToText's text added to the end of out, with no string of its own.
void appendNumberText(std::string& out, double value, const NumberFormat& format);

// numberToText's text written at out, for a decimal separator of at most
// kLongestSeparator bytes (one UTF-8 character), into room for kLongestNumberText
// bytes; returns where it ends. Never throws.
constexpr std::size_t kLongestSeparator = 4;
constexpr std::size_t kLongestNumberText = 32;
char* writeNumberText(char* out, double value, const NumberFormat& format) noexcept;

} // namespace zelva
