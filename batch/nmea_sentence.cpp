// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/nmea_sentence.h"

#include "batch/fields.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace zelva::batch {

namespace {

// More than any of the three sentences has.
constexpr std::size_t kMaxFields = 24;

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
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[2] - '0') * 10 + (text[3] - '0');
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

// Days from 1 March 2000 of ddmmyy (years 1980 to 2079), by the civil calendar.
std::optional<std::int64_t> readDate(std::string_view text)
{
    if (text.size() != 6 || !isDigits(text))
        return std::nullopt;
    const int day = (text[0] - '0') * 10 + (text[1] - '0');
    int month = (text[2] - '0') * 10 + (text[3] - '0');
    int year = (text[4] - '0') * 10 + (text[5] - '0');
    year += year < 80 ? 2000 : 1900;
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1] || (month == 2 && day == 29 && !leap))
        return std::nullopt;
    // Years that begin in March put the leap day last.
    if (month < 3) {
        --year;
        month += 12;
    }
    const std::int64_t y = year - 2000;
    return y * 365 + (y + 400) / 4 - (y + 400) / 100 + (y + 400) / 400 - 97 + (153 * (month - 3) + 2) / 5
         + day - 1;
}

LineError malformed(std::string_view type, std::string_view what)
{
    return LineError{"frase " + std::string(type) + " con " + std::string(what) + " non valida"};
}

} // namespace

InputLine readSentence(std::string_view line)
{
    if (line.front() == '!')
        return Ignored{};  // AIS: no fixes of this receiver
    std::string_view body = line.substr(1);
    const std::size_t star = body.rfind('*');
    if (star != std::string_view::npos) {
        std::string_view sum = body.substr(star + 1);
        while (!sum.empty() && (sum.back() == ' ' || sum.back() == '\t'))
            sum.remove_suffix(1);
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
    }

    const Fields<kMaxFields> f = splitAt<kMaxFields>(body, ',');
    const std::string_view address = f[0];
    // Talker (two letters) and type; proprietary sentences ($P...) are the makers' own.
    if (address.size() != 5 || address[0] == 'P')
        return Ignored{};
    const std::string_view type = address.substr(2);

    std::size_t time = 0, position = 0;
    if (type == "GGA") {
        if (f.count < 7)
            return LineError{"frase GGA troncata"};
        if (f[6].empty() || f[6] == "0")
            return Ignored{};
        time = 1;
        position = 2;
    } else if (type == "RMC") {
        if (f.count < 10)
            return LineError{"frase RMC troncata"};
        // Status V, or from NMEA 2.3 on the mode N, mark a fix that is not valid.
        if (f[2] != "A" || f[12] == "N")
            return Ignored{};
        time = 1;
        position = 3;
    } else if (type == "GLL") {
        if (f.count < 7)
            return LineError{"frase GLL troncata"};
        if (f[6] != "A" || f[7] == "N")
            return Ignored{};
        time = 5;
        position = 1;
    } else {
        return Ignored{};
    }
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
    if (!readTime(f[time], fix.fix))
        return malformed(type, "ora");
    fix.fix.latitude = *latitude;
    fix.fix.longitude = *longitude;
    if (type == "RMC" && !f[9].empty()) {
        fix.date = readDate(f[9]);
        if (!fix.date)
            return malformed(type, "data");
    }
    return fix;
}

} // namespace zelva::batch
