// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/nmea_sentence.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "batch/fix/civil_date.h"
#include "batch/fix/clock.h"
#include "batch/read/plain_decimal.h"

namespace zelva::batch {

namespace {

using Date = SentenceLayout::Date;

//  type   min time lat  date                     at  status quality mode required nav alt
const SentenceLayout kLayouts[] = {
    {"GGA", 7, 1, 2, Date::None, 0, 0, 6, 0, false, 0, 9,
     "$GPGGA,104127.50,4524.1230,N,00911.2340,E,1,08,0.9,120.0,M,46.9,M,,*6A"},
    {"RMC", 10, 1, 3, Date::DayMonthYear2, 9, 2, 0, 12, false, 13, 0,
     "$GPRMC,104127.50,A,4524.1230,N,00911.2340,E,3.1,45.0,081226,,,A*6D"},
    {"GLL", 7, 5, 1, Date::None, 0, 6, 0, 7, false, 0, 0,
     "$GPGLL,4524.1230,N,00911.2340,E,104127.50,A,A*66"},
    {"GNS", 7, 1, 2, Date::None, 0, 0, 0, 6, true, 13, 9,
     "$GNGNS,104127.50,4524.1230,N,00911.2340,E,AAN,14,0.8,120.0,46.9,,,S*63"},
    {"ZDA", 5, 1, 0, Date::DayMonthYear4Fields, 2, 0, 0, 0, false, 0, 0,
     "$GPZDA,104127.50,08,12,2026,00,00*6F"},
};

bool valid(const SentenceLayout& layout, const SentenceFields& f)
{
    const std::string_view mode = f[layout.mode];
    return (!layout.status || f[layout.status] == "A")
        && (!layout.quality || (!f[layout.quality].empty() && f[layout.quality] != "0"))
        && (!layout.mode || ((mode.empty() && !layout.modeRequired)
                             || mode.find_first_not_of('N') != std::string_view::npos))
        && (!layout.navigation || f[layout.navigation] != "V");
}

// A plain loop: find_first_not_of calls memchr once per character, and this
// runs for every number of every sentence.
bool isDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
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

double wholeNumber(std::string_view digits)
{
    std::int64_t value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return static_cast<double>(value);
}

int twoDigits(std::string_view text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

// Digits, optionally a point and more digits: the only numbers a sentence holds
// but its altitude, which may have a minus sign.
std::optional<double> decimal(std::string_view text, bool signedValue = false)
{
    if (!signedValue && text.starts_with('-'))
        return std::nullopt;
    return plainDecimal(text);
}

// hhmmss or hhmmss.ss, exactly. Up to nine places the nanoseconds are the
// digits themselves; the double's way below gives the same, only slower.
std::optional<std::int64_t> readTime(std::string_view text)
{
    if (text.size() < 6 || !isDigits(text.substr(0, 6)))
        return std::nullopt;
    const int hours = twoDigits(text), minutes = twoDigits(text.substr(2)), seconds = twoDigits(text.substr(4));
    const std::string_view fraction = text.size() > 7 && text[6] == '.' ? text.substr(7) : std::string_view();
    if ((text.size() == 6 || (fraction.size() <= 9 && isDigits(fraction))) && hours <= 23 && minutes <= 59
        && seconds <= 60) {
        std::int64_t nanoseconds = 0;
        for (std::size_t i = 0; i < 9; ++i)
            nanoseconds = nanoseconds * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
        return ((hours * 60 + minutes) * 60 + seconds) * kNanosecondsPerSecond + nanoseconds;
    }
    const std::optional<double> exact = decimal(text.substr(4));
    if (!exact)
        return std::nullopt;
    return timeOfDayNanoseconds(hours, minutes, *exact);
}

// (d)ddmm.mmmm and its hemisphere as signed decimal degrees, up to limit.
std::optional<double> readAngle(std::string_view text, std::string_view hemisphere,
                                char positive, char negative, double limit)
{
    const std::size_t point = std::min(text.find('.'), text.size());
    if (point < 3 || hemisphere.size() != 1 || (hemisphere[0] != positive && hemisphere[0] != negative))
        return std::nullopt;
    // Whole degrees: up to 15 digits a double holds them exactly, as decimal() would.
    const std::string_view degreesText = text.substr(0, point - 2);
    const std::optional<double> degrees = degreesText.size() <= 15 && isDigits(degreesText)
                                              ? std::optional<double>(wholeNumber(degreesText))
                                              : decimal(degreesText);
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

// The checksum after '*', if any, against the body before it.
std::optional<LineError> checkSum(std::string_view body, std::string_view sum)
{
    if (sum.size() != 2 || hexValue(sum[0]) < 0 || hexValue(sum[1]) < 0)
        return LineError{"somma di controllo malformata dopo '*'"};
    // XOR is byte by byte, so eight bytes XORed at once fold to the same sum.
    std::uint64_t words = 0;
    std::size_t i = 0;
    for (; i + 8 <= body.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, body.data() + i, sizeof word);
        words ^= word;
    }
    words ^= words >> 32;
    words ^= words >> 16;
    words ^= words >> 8;
    unsigned computed = static_cast<unsigned>(words & 0xFF);
    for (; i < body.size(); ++i)
        computed ^= static_cast<unsigned char>(body[i]);
    const unsigned given = static_cast<unsigned>(hexValue(sum[0]) * 16 + hexValue(sum[1]));
    if (computed != given)
        return LineError{"somma di controllo errata: la frase dà " + hex(computed) + ", la riga dice "
                         + hex(given)};
    return std::nullopt;
}

// The layout of a sentence read by its address: a talker (two letters) and a
// type. Proprietary sentences ($P...) are the makers' own.
const SentenceLayout* layoutOf(std::string_view body)
{
    if (body.size() < 5 || body[0] == 'P' || (body.size() > 5 && body[5] != ',' && body[5] != '*'))
        return nullptr;
    const std::string_view address = body.substr(0, 5);
    if (std::any_of(address.begin(), address.end(), [](char c) { return c == ',' || c == '*'; }))
        return nullptr;
    const auto layout = std::find_if(std::begin(kLayouts), std::end(kLayouts),
                                     [&](const SentenceLayout& l) { return l.type == address.substr(2); });
    return layout == std::end(kLayouts) ? nullptr : &*layout;
}

} // namespace

std::span<const SentenceLayout> sentenceLayouts()
{
    return kLayouts;
}

LineValue readSentence(std::string_view line)
{
    std::string_view body = line.substr(1);
    // Another type is no business of the program's, whatever its checksum says.
    const SentenceLayout* const layout = layoutOf(body);
    if (!layout)
        return Ignored{};
    if (const std::size_t star = body.rfind('*'); star != std::string_view::npos) {
        if (std::optional<LineError> wrong = checkSum(body.substr(0, star), body.substr(star + 1)))
            return *std::move(wrong);
        body = body.substr(0, star);
    }
    const std::string_view type = layout->type;
    const SentenceFields f = splitAt<SentenceFields::capacity>(body, ',');
    if (f.count < layout->minimumFields)
        return LineError{"frase " + std::string(type) + " troncata"};
    if (!valid(*layout, f))
        return Ignored{};

    if (!layout->latitude) {
        if (f[layout->time].empty() || f[layout->dateField].empty())
            return Ignored{};  // no time yet
        const std::optional<std::int64_t> clock = readTime(f[layout->time]);
        if (!clock)
            return malformed(type, "ora");
        const std::optional<std::int64_t> date = readDate(*layout, f);
        if (!date)
            return malformed(type, "data");
        return EpochDate{*clock, *date};
    }

    const std::size_t at = layout->latitude;
    if (f[at].empty() || f[at + 2].empty())
        return Ignored{};  // no position yet
    const std::optional<double> latitude = readAngle(f[at], f[at + 1], 'N', 'S', kLatitudeLimit);
    if (!latitude)
        return malformed(type, "latitudine");
    const std::optional<double> longitude = readAngle(f[at + 2], f[at + 3], 'E', 'W', kLongitudeLimit);
    if (!longitude)
        return malformed(type, "longitudine");
    const std::optional<std::int64_t> clock = readTime(f[layout->time]);
    if (!clock)
        return malformed(type, "ora");
    EpochFix fix;
    fix.fix.latitude = *latitude;
    fix.fix.longitude = *longitude;
    fix.fix.clock = Clock{*clock, std::nullopt};
    if (layout->date != Date::None && !f[layout->dateField].empty()) {
        fix.fix.clock->date = readDate(*layout, f);
        if (!fix.fix.clock->date)
            return malformed(type, "data");
    }
    if (layout->altitude)
        fix.fix.elevation = decimal(f[layout->altitude], true);
    return fix;
}

} // namespace zelva::batch
