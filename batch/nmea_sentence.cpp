// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/nmea_sentence.h"

#include "batch/civil_date.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace zelva::batch {

namespace {

using Date = SentenceLayout::Date;

// The mode indicator of NMEA 2.3 and later, and the navigational status of
// 4.1: N is no fix, V a fix not valid for navigation.
bool noFixMode(std::string_view mode) { return mode == "N"; }
bool notValidStatus(std::string_view status) { return status == "V"; }

const SentenceLayout kLayouts[] = {
    {"GGA", 7, 1, 2, Date::None, 0,
     [](const SentenceFields& f) { return !f[6].empty() && f[6] != "0"; },  // fix quality
     "$GPGGA,104127.50,4524.1230,N,00911.2340,E,1,08,0.9,120.0,M,46.9,M,,*6A"},
    {"RMC", 10, 1, 3, Date::DayMonthYear2, 9,
     [](const SentenceFields& f) { return f[2] == "A" && !noFixMode(f[12]) && !notValidStatus(f[13]); },
     "$GPRMC,104127.50,A,4524.1230,N,00911.2340,E,3.1,45.0,081226,,,A*6D"},
    {"GLL", 7, 5, 1, Date::None, 0, [](const SentenceFields& f) { return f[6] == "A" && !noFixMode(f[7]); },
     "$GPGLL,4524.1230,N,00911.2340,E,104127.50,A,A*66"},
    // One mode letter per constellation: a fix while any of them has one.
    {"GNS", 7, 1, 2, Date::None, 0,
     [](const SentenceFields& f) {
         return f[6].find_first_not_of('N') != std::string_view::npos && !notValidStatus(f[13]);
     },
     "$GNGNS,104127.50,4524.1230,N,00911.2340,E,AAN,14,0.8,120.0,46.9,,,S*63"},
    {"ZDA", 5, 1, 0, Date::DayMonthYear4Fields, 2, [](const SentenceFields&) { return true; },
     "$GPZDA,104127.50,08,12,2026,00,00*6F"},
};

bool isDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string hex(unsigned value)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

int twoDigits(std::string_view text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

// Digits, optionally a point and more digits: the only numbers a sentence holds.
std::optional<double> decimal(std::string_view text)
{
    const std::size_t point = text.find('.');
    if (!isDigits(text.substr(0, point))
        || (point != std::string_view::npos && !isDigits(text.substr(point + 1))))
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::fixed);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// hhmmss or hhmmss.ss into the fix's hours, minutes and seconds.
bool readTime(std::string_view text, Fix& fix)
{
    if (text.size() < 6 || !isDigits(text.substr(0, 6)))
        return false;
    const std::optional<double> seconds = decimal(text.substr(4));
    const int hours = twoDigits(text);
    const int minutes = twoDigits(text.substr(2));
    // 60 s is a leap second.
    if (!seconds || hours > 23 || minutes > 59 || *seconds >= 61.0)
        return false;
    fix.hours = hours;
    fix.minutes = minutes;
    fix.seconds = *seconds;
    return true;
}

// (d)ddmm.mmmm and its hemisphere as signed decimal degrees, up to limit.
std::optional<double> readAngle(std::string_view text, std::string_view hemisphere,
                                char positive, char negative, double limit)
{
    const std::size_t point = std::min(text.find('.'), text.size());
    if (point < 3 || hemisphere.size() != 1 || (hemisphere[0] != positive && hemisphere[0] != negative))
        return std::nullopt;
    const std::optional<double> degrees = decimal(text.substr(0, point - 2));
    const std::optional<double> minutes = decimal(text.substr(point - 2));
    if (!degrees || !minutes || *minutes >= 60.0)
        return std::nullopt;
    const double value = *degrees + *minutes / 60.0;
    if (value > limit)
        return std::nullopt;
    return hemisphere[0] == negative ? -value : value;
}

std::optional<std::int64_t> readDate(const SentenceLayout& layout, const SentenceFields& f)
{
    const std::size_t at = layout.dateField;
    if (layout.date == Date::DayMonthYear2) {  // ddmmyy, years 1980 to 2079
        const std::string_view text = f[at];
        if (text.size() != 6 || !isDigits(text))
            return std::nullopt;
        const int year = twoDigits(text.substr(4));
        return dayNumber(year + (year < 80 ? 2000 : 1900), twoDigits(text.substr(2)), twoDigits(text));
    }
    const std::string_view day = f[at], month = f[at + 1], year = f[at + 2];
    if (day.size() != 2 || month.size() != 2 || year.size() != 4 || !isDigits(day) || !isDigits(month)
        || !isDigits(year))
        return std::nullopt;
    return dayNumber(twoDigits(year) * 100 + twoDigits(year.substr(2)), twoDigits(month), twoDigits(day));
}

LineError malformed(std::string_view type, std::string_view what)
{
    return LineError{"frase " + std::string(type) + " con " + std::string(what) + " non valida"};
}

// The checksum after '*', if any; the body without it, or the reason it is wrong.
std::optional<LineError> checkSum(std::string_view& body)
{
    const std::size_t star = body.rfind('*');
    if (star == std::string_view::npos)
        return std::nullopt;
    const std::string_view sum = body.substr(star + 1);
    body = body.substr(0, star);
    if (sum.size() != 2 || hexValue(sum[0]) < 0 || hexValue(sum[1]) < 0)
        return LineError{"somma di controllo malformata dopo '*'"};
    unsigned computed = 0;
    for (const char c : body)
        computed ^= static_cast<unsigned char>(c);
    const unsigned given = static_cast<unsigned>(hexValue(sum[0]) * 16 + hexValue(sum[1]));
    if (computed != given)
        return LineError{"somma di controllo errata: la frase dà " + hex(computed) + ", la riga dice "
                         + hex(given)};
    return std::nullopt;
}

} // namespace

std::span<const SentenceLayout> sentenceLayouts()
{
    return kLayouts;
}

InputLine readSentence(std::string_view line)
{
    std::string_view body = line.substr(1);
    if (std::optional<LineError> wrong = checkSum(body))
        return *std::move(wrong);

    const SentenceFields f = splitAt<SentenceFields::capacity>(body, ',');
    const std::string_view address = f[0];
    // Talker (two letters) and type; proprietary sentences ($P...) are the makers' own.
    if (address.size() != 5 || address[0] == 'P')
        return Ignored{};
    const std::string_view type = address.substr(2);
    const auto layout = std::find_if(std::begin(kLayouts), std::end(kLayouts),
                                     [&](const SentenceLayout& l) { return l.type == type; });
    if (layout == std::end(kLayouts))
        return Ignored{};
    if (f.count < layout->minimumFields)
        return LineError{"frase " + std::string(type) + " troncata"};
    if (!layout->valid(f))
        return Ignored{};

    Fix clock;
    if (layout->position == 0) {
        if (f[layout->time].empty() || f[layout->dateField].empty())
            return Ignored{};  // no time yet
        if (!readTime(f[layout->time], clock))
            return malformed(type, "ora");
        const std::optional<std::int64_t> date = readDate(*layout, f);
        if (!date)
            return malformed(type, "data");
        return EpochDate{clock, *date};
    }

    const std::size_t position = layout->position;
    if (f[position].empty() || f[position + 2].empty())
        return Ignored{};  // no position yet
    ListFix fix;
    fix.sentence = true;
    const std::optional<double> latitude = readAngle(f[position], f[position + 1], 'N', 'S', 90.0);
    if (!latitude)
        return malformed(type, "latitudine");
    const std::optional<double> longitude = readAngle(f[position + 2], f[position + 3], 'E', 'W', 180.0);
    if (!longitude)
        return malformed(type, "longitudine");
    if (!readTime(f[layout->time], fix.fix))
        return malformed(type, "ora");
    fix.fix.latitude = *latitude;
    fix.fix.longitude = *longitude;
    if (layout->date != Date::None && !f[layout->dateField].empty()) {
        fix.date = readDate(*layout, f);
        if (!fix.date)
            return malformed(type, "data");
    }
    return fix;
}

} // namespace zelva::batch
