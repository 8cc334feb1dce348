// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/plain_decimal.h"

#include <charconv>
#include <system_error>

#include "calc/number_text.h"

namespace zelva::batch {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<double> plainDecimal(std::string_view text) noexcept
{
    // A digit first (after the sign) and last: no bare point at either end,
    // and nothing from_chars would read as a word ("inf", "nan").
    const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    if (digits.empty() || !isDigit(digits.front()) || !isDigit(digits.back()))
        return std::nullopt;
    const char* const end = text.data() + text.size();
    double value = 0.0;
    if (readPlainDecimal(text.data(), end, '.', value) == end)
        return value;
    // Past 19 digits or 2^53: the long way, to the same nearest double.
    const auto [stop, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

} // namespace zelva::batch
