// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

namespace zelva {

namespace {

constexpr std::string_view kUnicodeMinus = "\u2212";
constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Inlined first-byte test: this runs for every non-digit of every cell read.
bool startsWith(const char* p, const char* end, std::string_view token)
{
    return !token.empty() && p != end && *p == token.front()
        && static_cast<std::size_t>(end - p) >= token.size()
        && (token.size() == 1 || std::memcmp(p + 1, token.data() + 1, token.size() - 1) == 0);
}

// Length of a sign at p (ASCII or U+2212), 0 if none; sets negative.
std::size_t signLength(const char* p, const char* end, bool& negative)
{
    negative = false;
    if (p == end) return 0;
    if (*p == '+') return 1;
    if (*p == '-') { negative = true; return 1; }
    if (*p != kUnicodeMinus.front()) return 0;
    if (startsWith(p, end, kUnicodeMinus)) { negative = true; return kUnicodeMinus.size(); }
    return 0;
}

// Exponents are added up saturated far beyond any text that fits in memory, so
// a text of any length keeps its true order of magnitude.
constexpr std::int64_t kExponentLimit = 100'000'000'000'000'000;

// The value 0.<digits> x 10^magnitude, digits starting with a non-zero one:
// the nearest double, or nullopt beyond the double range. Magnitudes far out of
// range are settled here, so std::from_chars only ever sees a short exponent.
std::optional<double> parseNormalised(std::string_view digits, std::int64_t magnitude, bool negative)
{
    const double zero = negative ? -0.0 : 0.0;
    if (magnitude > 310) return std::nullopt;  // at least 1E+310
    if (magnitude < -330) return zero;         // below 1E-331, under half the least subnormal
    std::string ascii;
    ascii.reserve(digits.size() + 16);
    if (negative) ascii.push_back('-');
    ascii += "0.";
    ascii += digits;
    ascii.push_back('e');
    std::array<char, 8> exp;
    ascii.append(exp.data(), std::to_chars(exp.data(), exp.data() + exp.size(), magnitude).ptr);

    double value = 0.0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        return magnitude > 0 ? std::nullopt : std::optional<double>(zero);
    if (ec != std::errc{} || end != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> textToNumber(std::string_view text, const NumberFormat& format)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && isBlank(*p)) ++p;
    while (end != p && isBlank(end[-1])) --end;

    const std::string_view decimal = format.decimalSeparator;
    const std::string_view group = format.groupSeparator;
    // A blank typed instead of a no-break grouping space is what users do, since
    // the keyboard has no key for U+00A0 or U+202F.
    auto blankGroups = [&group] { return group == kNoBreakSpace || group == kNarrowNoBreakSpace; };

    // The digits are copied without separators, for the slow path below. The copy
    // is never longer than the text, so short texts, the usual case, need no heap.
    std::array<char, 64> small;
    std::string large;
    const auto length = static_cast<std::size_t>(end - p);
    if (length > small.size()) large.resize(length);
    char* const buffer = length > small.size() ? large.data() : small.data();
    char* out = buffer;

    bool negative = false;
    p += signLength(p, end, negative);

    // Integer part: digits, with grouping symbols only between two digits.
    // The digits are also gathered as an integer, for the exact short cut below.
    std::uint64_t mantissa = 0;
    std::int64_t mantissaDigits = 0;
    auto takeDigit = [&](char c) {
        *out++ = c;
        if (mantissaDigits != 0 || c != '0') {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            ++mantissaDigits;
        }
    };
    const char* const integerStart = p;
    for (;;) {
        while (p != end && isDigit(*p)) takeDigit(*p++);
        if (p == end || p == integerStart || startsWith(p, end, decimal))
            break;
        std::size_t skip = 0;
        if (startsWith(p, end, group)) skip = group.size();
        else if (*p == ' ' && blankGroups()) skip = 1;
        if (skip == 0 || p + skip == end || !isDigit(p[skip]))
            break;
        p += skip;
    }
    const auto integerDigits = static_cast<std::int64_t>(out - buffer);
    bool seenDigit = p != integerStart;
    std::int64_t fractionDigits = 0;
    if (startsWith(p, end, decimal)) {
        p += decimal.size();
        const char* const fractionStart = p;
        while (p != end && isDigit(*p)) takeDigit(*p++);
        seenDigit = seenDigit || p != fractionStart;
        fractionDigits = static_cast<std::int64_t>(p - fractionStart);
    }
    if (!seenDigit)
        return std::nullopt;

    std::int64_t exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        p += signLength(p, end, negativeExponent);
        if (p == end || !isDigit(*p))
            return std::nullopt;
        for (; p != end && isDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), kExponentLimit);
        if (negativeExponent) exponent = -exponent;
    }
    if (p != end)
        return std::nullopt;

    // Clinger's fast path: an integer of at most 53 bits times or divided by an
    // exact power of ten is a single correctly rounded operation, so it gives the
    // nearest double exactly as std::from_chars would, at a fraction of the cost.
    const std::int64_t scale = exponent - fractionDigits;
    if (mantissaDigits <= 19 && mantissa <= (std::uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
        const double value = static_cast<double>(mantissa);
        const double result = scale < 0 ? value / kPowersOfTen[-scale] : value * kPowersOfTen[scale];
        return negative ? -result : result;
    }

    const std::string_view digits(buffer, static_cast<std::size_t>(out - buffer));
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return negative ? -0.0 : 0.0;
    const std::int64_t magnitude = integerDigits - static_cast<std::int64_t>(first) + exponent;
    return parseNormalised(digits.substr(first), magnitude, negative);
}

std::string numberToText(double value, const NumberFormat& format)
{
    if (value == 0.0)
        return "0"; // negative zero included
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";

    // d.dddddddddddddde±x: the value correctly rounded to 15 significant digits.
    std::array<char, 32> sci;
    const char* sciEnd = std::to_chars(sci.data(), sci.data() + sci.size(), value,
                                       std::chars_format::scientific, 14).ptr;
    const char* p = sci.data();
    const bool negative = *p == '-';
    if (negative) ++p;

    std::array<char, 15> digits;
    std::size_t digitCount = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits[digitCount++] = *p;
    while (digitCount > 1 && digits[digitCount - 1] == '0') --digitCount;

    ++p; // 'e'
    const bool negativeExponent = *p++ == '-';
    const std::string_view expText(p, static_cast<std::size_t>(sciEnd - p));
    int exponent = 0;
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    if (negativeExponent) exponent = -exponent;

    const std::string_view sep = format.decimalSeparator;
    const std::string_view digitText(digits.data(), digitCount);
    std::string out;
    out.reserve(digitCount + sep.size() + 24);
    if (negative) out.push_back('-');

    if (exponent >= 15 || exponent < -4) {
        out.push_back(digits[0]);
        if (digitCount > 1) {
            out += sep;
            out += digitText.substr(1);
        }
        out.push_back('E');
        out.push_back(negativeExponent ? '-' : '+');
        out += expText;  // to_chars writes at least two exponent digits
    } else if (exponent < 0) {
        out.push_back('0');
        out += sep;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digitText;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digitCount <= integerDigits) {
            out += digitText;
            out.append(integerDigits - digitCount, '0');
        } else {
            out += digitText.substr(0, integerDigits);
            out += sep;
            out += digitText.substr(integerDigits);
        }
    }
    return out;
}

} // namespace zelva
