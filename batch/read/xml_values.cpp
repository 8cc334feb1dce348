// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/xml_values.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "batch/fix/civil_date.h"
#include "batch/fix/clock.h"
#include "batch/read/plain_decimal.h"

namespace zelva::batch {

namespace {

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isXmlSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isXmlSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Exactly `count` digits at `at`, or -1.
int digits(std::string_view text, std::size_t at, std::size_t count)
{
    if (at + count > text.size())
        return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<Clock> readDateTime(std::string_view text)
{
    text = trim(text);
    // 0123456789012345678
    // YYYY-MM-DDThh:mm:ss
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':'
        || text[16] != ':')
        return std::nullopt;
    const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    const int hours = digits(text, 11, 2), minutes = digits(text, 14, 2);
    if (digits(text, 17, 2) < 0)
        return std::nullopt;
    std::size_t end = 19;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        if (end == 20)
            return std::nullopt;
    }
    const std::optional<double> seconds = plainDecimal(text.substr(17, end - 17));
    const std::optional<std::int64_t> clock = seconds ? timeOfDayNanoseconds(hours, minutes, *seconds) : std::nullopt;
    if (!clock)
        return std::nullopt;

    int offset = 0;  // minutes east of UTC
    const std::string_view zone = text.substr(end);
    if (zone == "Z" || zone.empty()) {
        offset = 0;
    } else if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':') {
        const int zoneHours = digits(zone, 1, 2), zoneMinutes = digits(zone, 4, 2);
        if (zoneHours < 0 || zoneHours > 14 || zoneMinutes < 0 || zoneMinutes > 59)
            return std::nullopt;
        offset = (zoneHours * 60 + zoneMinutes) * (zone[0] == '-' ? -1 : 1);
    } else {
        return std::nullopt;
    }
    std::optional<std::int64_t> date = dayNumber(year, month, day);
    if (!date)
        return std::nullopt;
    // Whole minutes move to UTC; the seconds, fraction and all, stay as written
    // (23:59:60 stays in its minute).
    constexpr std::int64_t kMinute = 60 * kNanosecondsPerSecond;
    constexpr int kMinutesPerDay = 24 * 60;
    int minute = hours * 60 + minutes - offset;
    if (minute < 0) {
        minute += kMinutesPerDay;
        --*date;
    } else if (minute >= kMinutesPerDay) {
        minute -= kMinutesPerDay;
        ++*date;
    }
    const std::int64_t utc = *clock + (minute - hours * 60 - minutes) * kMinute;
    return Clock{utc, *date};
}

std::optional<double> readDegrees(std::string_view text, double limit)
{
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // Trackers write plain decimals; exponents and the like are read too.
    if (const std::optional<double> plain = plainDecimal(text))
        return std::fabs(*plain) > limit ? std::nullopt : plain;
    double value = 0.0;
    const auto [stop, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || stop != text.data() + text.size() || !std::isfinite(value)
        || std::fabs(value) > limit)
        return std::nullopt;
    return value;
}

std::optional<double> readMetres(std::string_view text)
{
    return readDegrees(text, std::numeric_limits<double>::max());
}

} // namespace zelva::batch
