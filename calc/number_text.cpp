#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace zelva {

namespace {

constexpr std::string_view kUnicodeMinus = "\u2212";
constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool consume(std::string_view& rest, std::string_view token)
{
    if (token.empty() || !rest.starts_with(token))
        return false;
    rest.remove_prefix(token.size());
    return true;
}

// Collects the number in the ASCII form std::from_chars reads, without a heap
// allocation for the usual short texts.
class AsciiNumber {
public:
    void push(char c)
    {
        if (size_ < small_.size())
            small_[size_] = c;
        else {
            if (size_ == small_.size())
                large_.assign(small_.data(), small_.size());
            large_.push_back(c);
        }
        ++size_;
    }
    const char* begin() const { return size_ <= small_.size() ? small_.data() : large_.data(); }
    const char* end() const { return begin() + size_; }

private:
    std::array<char, 48> small_{};
    std::string large_;
    std::size_t size_ = 0;
};

// A blank typed instead of a no-break grouping space is what users do, since the
// keyboard has no key for U+00A0 or U+202F.
bool consumeGroup(std::string_view& rest, const NumberFormat& format)
{
    if (consume(rest, format.groupSeparator))
        return true;
    if (format.groupSeparator == kNoBreakSpace || format.groupSeparator == kNarrowNoBreakSpace)
        return consume(rest, " ");
    return false;
}

} // namespace

std::optional<double> textToNumber(std::string_view text, const NumberFormat& format)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    AsciiNumber ascii;
    std::string_view rest = text;
    bool negative = false;
    if (consume(rest, "-") || consume(rest, kUnicodeMinus))
        negative = true;
    else
        consume(rest, "+");
    if (negative)
        ascii.push('-');

    // Order of magnitude of the first significant digit, to tell an overflow
    // from an underflow when std::from_chars reports the value out of range.
    long magnitude = 0;
    bool seenDigit = false;
    bool seenSignificant = false;

    // Integer part: digits, with grouping symbols only between two digits.
    while (!rest.empty()) {
        if (isDigit(rest.front())) {
            if (rest.front() != '0') seenSignificant = true;
            if (seenSignificant) ++magnitude;
            ascii.push(rest.front());
            rest.remove_prefix(1);
            seenDigit = true;
            continue;
        }
        if (!seenDigit || rest.starts_with(format.decimalSeparator))
            break;
        std::string_view afterGroup = rest;
        if (!consumeGroup(afterGroup, format) || afterGroup.empty() || !isDigit(afterGroup.front()))
            break;
        rest = afterGroup;
    }

    if (consume(rest, format.decimalSeparator)) {
        ascii.push('.');
        while (!rest.empty() && isDigit(rest.front())) {
            if (!seenSignificant) {
                if (rest.front() != '0') seenSignificant = true;
                else --magnitude;
            }
            ascii.push(rest.front());
            rest.remove_prefix(1);
            seenDigit = true;
        }
    }
    if (!seenDigit)
        return std::nullopt;

    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        rest.remove_prefix(1);
        ascii.push('e');
        const bool negativeExponent = consume(rest, "-") || consume(rest, kUnicodeMinus);
        if (negativeExponent)
            ascii.push('-');
        else
            consume(rest, "+");
        if (rest.empty() || !isDigit(rest.front()))
            return std::nullopt;
        long exponent = 0;
        while (!rest.empty() && isDigit(rest.front())) {
            ascii.push(rest.front());
            if (exponent < 100000) exponent = exponent * 10 + (rest.front() - '0');
            rest.remove_prefix(1);
        }
        magnitude += negativeExponent ? -exponent : exponent;
    }
    if (!rest.empty())
        return std::nullopt;

    double value = 0.0;
    const auto [end, ec] = std::from_chars(ascii.begin(), ascii.end(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double: the nearest double is zero. Too large: no number.
        if (!seenSignificant || magnitude <= 0)
            return negative ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (ec != std::errc{} || end != ascii.end() || !std::isfinite(value))
        return std::nullopt;
    return value;
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
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 14);
    std::string_view sci(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));

    std::string out;
    if (sci.front() == '-') {
        out.push_back('-');
        sci.remove_prefix(1);
    }
    const std::size_t ePos = sci.find('e');
    std::string digits;
    digits.reserve(15);
    for (char c : sci.substr(0, ePos))
        if (c != '.') digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    int exponent = 0;
    std::string_view expText = sci.substr(ePos + 1);
    const bool negativeExponent = expText.front() == '-';
    expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    if (negativeExponent) exponent = -exponent;

    if (exponent >= 15 || exponent < -4) {
        out.push_back(digits.front());
        if (digits.size() > 1) {
            out += format.decimalSeparator;
            out.append(digits, 1);
        }
        out.push_back('E');
        out.push_back(negativeExponent ? '-' : '+');
        if (expText.size() < 2) out.push_back('0');
        out += expText;
        return out;
    }

    if (exponent < 0) {
        out.push_back('0');
        out += format.decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
    } else {
        out.append(digits, 0, integerDigits);
        out += format.decimalSeparator;
        out.append(digits, integerDigits);
    }
    return out;
}

} // namespace zelva
