// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/plain_decimal.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <system_error>

namespace zelva::batch {

namespace {

// Every power of ten a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;

} // namespace

// Both the integer and the power of ten are exact doubles here, so the one
// correctly rounded division is the decimal's nearest double.
std::optional<double> exactQuotient(std::uint64_t mantissa, int places) noexcept
{
    if (mantissa > kExactMantissa || places < 0 || places > 22)
        return std::nullopt;
    return static_cast<double>(mantissa) / kPowersOfTen[places];
}

std::optional<double> plainDecimal(std::string_view text) noexcept
{
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;

    // The digits as one integer, and the places after the point. Up to 19
    // digits the integer cannot overflow; longer texts are left to from_chars.
    std::uint64_t mantissa = 0;
    const char* const integerStart = p;
    for (; p != end && *p >= '0' && *p <= '9'; ++p)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    std::ptrdiff_t digits = p - integerStart;
    if (digits == 0)
        return std::nullopt;
    int places = 0;
    if (p != end) {
        if (*p != '.')
            return std::nullopt;
        const char* const fractionStart = ++p;
        for (; p != end && *p >= '0' && *p <= '9'; ++p)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        if (p == fractionStart || p != end)
            return std::nullopt;
        places = static_cast<int>(p - fractionStart);
        digits += places;
    }

    if (digits <= 19) {
        if (const std::optional<double> value = exactQuotient(mantissa, places))
            return negative ? -*value : *value;
    }
    double value = 0.0;
    const auto [stop, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

} // namespace zelva::batch
