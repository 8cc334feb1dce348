// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/table_values.h"

#include <array>
#include <charconv>
#include <system_error>

#include "batch/fix/civil_date.h"
#include "batch/fix/clock.h"
#include "batch/read/fields.h"
#include "batch/read/xml_values.h"
#include "calc/number_text.h"

namespace zelva::batch {

namespace {

const NumberFormat kDecimalPoint{".", ""};
const NumberFormat kDecimalComma{",", ""};

// Room for any date-time or seconds worth reading; longer text is no value.
constexpr std::size_t kLongestValue = 64;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at `at` up to the first other character, at least `least` and at
// most `most` of them, as a number; -1 where there are not so many. `at` moves
// past them.
int digitsAt(std::string_view text, std::size_t& at, std::size_t least, std::size_t most)
{
    int value = 0;
    std::size_t count = 0;
    while (at < text.size() && isDigit(text[at]) && count < most) {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++count;
    }
    if (count < least || (at < text.size() && isDigit(text[at])))
        return -1;
    return value;
}

} // namespace

std::optional<double> readTableNumber(std::string_view field)
{
    field = trimBlanks(field);
    if (field.empty())
        return std::nullopt;
    return textToNumber(field, field.find(',') != std::string_view::npos ? kDecimalComma : kDecimalPoint);
}

std::optional<std::int64_t> readTimeOfDay(std::string_view field)
{
    field = trimBlanks(field);
    std::size_t at = 0;
    const int hours = digitsAt(field, at, 1, 2);
    if (hours < 0 || at >= field.size() || field[at] != ':')
        return std::nullopt;
    const int minutes = digitsAt(field, ++at, 2, 2);
    if (minutes < 0 || at >= field.size() || field[at] != ':')
        return std::nullopt;
    const std::size_t secondsAt = ++at;
    if (digitsAt(field, at, 2, 2) < 0)
        return std::nullopt;
    if (at < field.size() && (field[at] == '.' || field[at] == ',')) {
        const std::size_t fraction = ++at;
        while (at < field.size() && isDigit(field[at]))
            ++at;
        if (at == fraction)
            return std::nullopt;
    }
    const std::string_view secondsText = field.substr(secondsAt);
    if (at != field.size() || secondsText.size() > kLongestValue)
        return std::nullopt;
    // from_chars knows only the decimal point.
    std::array<char, kLongestValue> text{};
    secondsText.copy(text.data(), secondsText.size());
    if (secondsText.size() > 2)
        text[2] = '.';
    double seconds = 0.0;
    const char* const end = text.data() + secondsText.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, seconds, std::chars_format::fixed);
    if (ec != std::errc{} || stop != end)
        return std::nullopt;
    return timeOfDayNanoseconds(hours, minutes, seconds);
}

std::optional<std::int64_t> readTableDate(std::string_view field)
{
    field = trimBlanks(field);
    std::size_t at = 0;
    if (field.size() == 10 && field[4] == '-' && field[7] == '-') {
        const int year = digitsAt(field, at, 4, 4);
        const int month = digitsAt(field, ++at, 2, 2);
        const int day = digitsAt(field, ++at, 2, 2);
        if (year < 0 || month < 0 || day < 0)
            return std::nullopt;
        return dayNumber(year, month, day);
    }
    int parts[3] = {-1, -1, -1};
    std::size_t widths[3] = {0, 0, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t from = at;
        parts[i] = digitsAt(field, at, 1, 4);
        widths[i] = at - from;
        if (parts[i] < 0 || (i < 2 && (at >= field.size() || field[at++] != '/')))
            return std::nullopt;
    }
    if (at != field.size())
        return std::nullopt;
    if (widths[0] == 4 && widths[1] <= 2 && widths[2] <= 2)
        return dayNumber(parts[0], parts[1], parts[2]);
    if (widths[0] <= 2 && widths[1] <= 2 && widths[2] == 4)
        return dayNumber(parts[2], parts[1], parts[0]);
    return std::nullopt;
}

std::optional<Clock> readTableDateTime(std::string_view field)
{
    field = trimBlanks(field);
    // 0123456789012345678
    // YYYY-MM-DD hh:mm:ss
    constexpr std::size_t kSecondsEnd = 19;
    // Room for the offset's ':' and "00" too.
    if (field.size() < kSecondsEnd || field.size() + 3 > kLongestValue)
        return std::nullopt;
    std::array<char, kLongestValue> text{};
    field.copy(text.data(), field.size());
    std::size_t size = field.size();
    if (text[10] == ' ')
        text[10] = 'T';
    std::size_t zone = kSecondsEnd;
    if (zone < size && (text[zone] == '.' || text[zone] == ',')) {
        text[zone] = '.';
        ++zone;
        while (zone < size && isDigit(text[zone]))
            ++zone;
    }
    // +hhmm and +hh as +hh:mm, the one offset readDateTime knows.
    const std::size_t zoneSize = size - zone;
    if ((zoneSize == 3 || zoneSize == 5) && (text[zone] == '+' || text[zone] == '-')) {
        if (zoneSize == 5) {
            text[zone + 5] = text[zone + 4];
            text[zone + 4] = text[zone + 3];
        } else {
            text[zone + 4] = '0';
            text[zone + 5] = '0';
        }
        text[zone + 3] = ':';
        size = zone + 6;
    }
    return readDateTime({text.data(), size});
}

} // namespace zelva::batch
