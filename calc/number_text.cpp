// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
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

// No text reads as NaN, so inside the parser it marks "not a number". The
// steps return a plain double and the optional is made once, at the end,
// which is cheaper than making one at each of the steps' many returns.
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// Exponents are added up saturated far beyond any text that fits in memory, so
// a text of any length keeps its true order of magnitude.
constexpr std::int64_t kExponentLimit = 100'000'000'000'000'000;

// The value 0.<digits> x 10^magnitude, digits starting with a non-zero one:
// the nearest double, or kNotANumber beyond the double range. Magnitudes far out
// of range are settled here, so std::from_chars only ever sees a short exponent.
double parseNormalised(std::string_view digits, std::int64_t magnitude, bool negative)
{
    const double zero = negative ? -0.0 : 0.0;
    if (magnitude > 310) return kNotANumber;  // at least 1E+310
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
        return magnitude > 0 ? kNotANumber : zero;
    if (ec != std::errc{} || end != ascii.data() + ascii.size() || !std::isfinite(value))
        return kNotANumber;
    return value;
}

// The digits of a number in the order read, without separators, into a
// buffer at least as long as the text; the significant ones are also gathered
// as an integer while it fits, for the exact short cut.
class DigitBuffer {
public:
    explicit DigitBuffer(char* buffer) : begin_(buffer), out_(buffer) {}

    // Digits from p on, up to the first non-digit; returns where they end.
    const char* takeDigits(const char* p, const char* end)
    {
        char* out = out_;
        std::uint64_t mantissa = mantissa_;
        std::int64_t significant = significant_;
        for (; p != end && isDigit(*p); ++p) {
            *out++ = *p;
            if (significant != 0 || *p != '0') {
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
                ++significant;
            }
        }
        out_ = out;
        mantissa_ = mantissa;
        significant_ = significant;
        return p;
    }

    std::int64_t count() const { return out_ - begin_; }
    std::string_view digits() const { return {begin_, static_cast<std::size_t>(out_ - begin_)}; }
    // Exact while significantDigits() <= 19.
    std::uint64_t mantissa() const { return mantissa_; }
    std::int64_t significantDigits() const { return significant_; }

private:
    char* begin_;
    char* out_;
    std::uint64_t mantissa_ = 0;
    std::int64_t significant_ = 0;
};

std::string_view trimBlanks(std::string_view text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && isBlank(*p)) ++p;
    while (end != p && isBlank(end[-1])) --end;
    return {p, static_cast<std::size_t>(end - p)};
}

// The integer part: digits, with grouping symbols only between two digits.
// A blank typed instead of a no-break grouping space is what users do, since
// the keyboard has no key for U+00A0 or U+202F.
const char* readIntegerPart(const char* p, const char* end, const NumberFormat& format, DigitBuffer& sink)
{
    const std::string_view group = format.groupSeparator;
    const char* const start = p;
    for (;;) {
        p = sink.takeDigits(p, end);
        if (p == end || p == start || startsWith(p, end, format.decimalSeparator))
            return p;
        std::size_t skip = 0;
        if (startsWith(p, end, group)) skip = group.size();
        else if (*p == ' ' && (group == kNoBreakSpace || group == kNarrowNoBreakSpace)) skip = 1;
        if (skip == 0 || p + skip == end || !isDigit(p[skip]))
            return p;
        p += skip;
    }
}

// "e" or "E", a sign, then at least one digit; sets exponent (0 when there is
// none). Returns where it ends, or nullptr for an "e" without digits.
const char* readExponent(const char* p, const char* end, std::int64_t& exponent)
{
    exponent = 0;
    if (p == end || (*p != 'e' && *p != 'E'))
        return p;
    ++p;
    bool negative = false;
    p += signLength(p, end, negative);
    if (p == end || !isDigit(*p))
        return nullptr;
    for (; p != end && isDigit(*p); ++p)
        exponent = std::min(exponent * 10 + (*p - '0'), kExponentLimit);
    if (negative) exponent = -exponent;
    return p;
}

// Clinger's fast path: an integer of at most 53 bits times or divided by an
// exact power of ten (|scale| <= 22) is a single correctly rounded operation,
// so it gives the nearest double exactly as std::from_chars would, at a
// fraction of the cost.
double exactShortCut(std::uint64_t mantissa, std::int64_t scale, bool negative)
{
    const double value = static_cast<double>(mantissa);
    const double result = scale < 0 ? value / kPowersOfTen[-scale] : value * kPowersOfTen[scale];
    return negative ? -result : result;
}

// The trimmed text as a number, or kNotANumber; `buffer` holds at least as
// many chars as the text.
double parseTrimmed(std::string_view trimmed, const NumberFormat& format, char* buffer)
{
    const char* p = trimmed.data();
    const char* const end = p + trimmed.size();
    DigitBuffer sink(buffer);

    bool negative = false;
    p += signLength(p, end, negative);

    const char* const integerStart = p;
    p = readIntegerPart(p, end, format, sink);
    const std::int64_t integerDigits = sink.count();
    bool seenDigit = p != integerStart;

    std::int64_t fractionDigits = 0;
    if (startsWith(p, end, format.decimalSeparator)) {
        p += format.decimalSeparator.size();
        const char* const fractionStart = p;
        p = sink.takeDigits(p, end);
        seenDigit = seenDigit || p != fractionStart;
        fractionDigits = p - fractionStart;
    }
    if (!seenDigit)
        return kNotANumber;

    std::int64_t exponent = 0;
    p = readExponent(p, end, exponent);
    if (p != end)
        return kNotANumber;

    const std::int64_t scale = exponent - fractionDigits;
    if (sink.significantDigits() <= 19 && sink.mantissa() <= (std::uint64_t{1} << 53)
        && scale >= -22 && scale <= 22)
        return exactShortCut(sink.mantissa(), scale, negative);

    const std::string_view digits = sink.digits();
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return negative ? -0.0 : 0.0;
    const std::string_view significant = digits.substr(first);
    const std::int64_t magnitude = integerDigits - static_cast<std::int64_t>(first) + exponent;
    return parseNormalised(significant, magnitude, negative);
}

// A whole text that is plain (readPlainDecimal), or kNotANumber.
double parsePlain(std::string_view text, char separator)
{
    const char* const end = text.data() + text.size();
    double value = 0.0;
    return readPlainDecimal(text.data(), end, separator, value) == end ? value : kNotANumber;
}

} // namespace

// Leading zeros count as digits, so whatever passes here would take the
// exact short cut in parseTrimmed too, to the same double.
const char* readPlainDecimal(const char* p, const char* end, char separator, double& value) noexcept
{
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    // The digits are counted from where they begin and end, not one by one:
    // every number of a log or a table comes this way.
    std::uint64_t mantissa = 0;
    const char* const first = p;
    for (; p != end && isDigit(*p); ++p)
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    std::ptrdiff_t digits = p - first, fractionDigits = 0;
    if (p != end && *p == separator) {
        const char* const fraction = ++p;
        for (; p != end && isDigit(*p); ++p)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        fractionDigits = p - fraction;
        digits += fractionDigits;
    }
    if (digits == 0 || digits > 19 || mantissa > (std::uint64_t{1} << 53) || fractionDigits > 22
        || (p != end && (isDigit(*p) || *p == separator || *p == 'e' || *p == 'E')))
        return nullptr;
    value = exactShortCut(mantissa, -fractionDigits, negative);
    return p;
}

std::optional<double> textToNumber(std::string_view text, const NumberFormat& format)
{
    const std::string_view trimmed = trimBlanks(text);
    // Most cells and every batch field: the short way (the batch program reads millions).
    if (format.decimalSeparator.size() == 1) {
        const double plain = parsePlain(trimmed, format.decimalSeparator.front());
        if (!std::isnan(plain))
            return plain;
    }
    // Short texts, the usual case, need no heap for the copy of their digits.
    std::array<char, 64> small;
    std::string large;
    if (trimmed.size() > small.size()) large.resize(trimmed.size());
    const double value = parseTrimmed(trimmed, format, large.empty() ? small.data() : large.data());
    if (std::isnan(value))
        return std::nullopt;
    return value;
}

std::string numberToText(double value, const NumberFormat& format)
{
    std::string text;
    appendNumberText(text, value, format);
    return text;
}

void appendNumberText(std::string& out, double value, const NumberFormat& format)
{
    if (format.decimalSeparator.size() <= kLongestSeparator) {
        char text[kLongestNumberText];
        out.append(text, writeNumberText(text, value, format));
        return;
    }
    // A separator longer than any character: the text is made, then put right.
    const NumberFormat point{".", format.groupSeparator};
    char text[kLongestNumberText];
    const std::string_view plain(text, static_cast<std::size_t>(writeNumberText(text, value, point) - text));
    const std::size_t dot = plain.find('.');
    if (dot == std::string_view::npos) {
        out += plain;
        return;
    }
    out += plain.substr(0, dot);
    out += format.decimalSeparator;
    out += plain.substr(dot + 1);
}

char* writeNumberText(char* out, double value, const NumberFormat& format) noexcept
{
    const auto put = [out](std::string_view text) { return std::copy(text.begin(), text.end(), out); };
    if (value == 0.0)
        return put("0");  // negative zero included
    if (std::isnan(value))
        return put("NaN");
    if (std::isinf(value))
        return put(value < 0 ? "-Inf" : "Inf");

    // The general format at 15 digits is exactly the cell's rule: correctly
    // rounded, trailing zeros dropped, and scientific from 1E+15 on and below
    // 1E-04. Only the separator and the exponent's letter differ, so the text
    // is taken as it stands and those two put right. It is written in place:
    // the batch program writes millions.
    const std::string_view sep = format.decimalSeparator;
    char* const end = std::to_chars(out, out + kLongestNumberText - kLongestSeparator, value,
                                    std::chars_format::general, 15).ptr;
    // From 1E-04 up to well below 1E+15 no rounding to 15 digits reaches
    // the scientific form, so most numbers need no search for its 'e'.
    const double magnitude = std::fabs(value);
    char* const e = magnitude >= 1e-4 && magnitude < 9e14 ? end : std::find(out, end, 'e');
    if (e != end)
        *e = 'E';  // to_chars writes the sign and at least two digits after it
    auto* const point = static_cast<char*>(std::memchr(out, '.', static_cast<std::size_t>(e - out)));
    if (!point || sep.size() == 1) {
        if (point)
            *point = sep.empty() ? '.' : sep.front();
        return end;
    }
    // A separator of several bytes (U+066B, say) moves the rest along.
    std::memmove(point + sep.size(), point + 1, static_cast<std::size_t>(end - point - 1));
    std::copy(sep.begin(), sep.end(), point);
    return end + sep.size() - 1;
}

} // namespace zelva
