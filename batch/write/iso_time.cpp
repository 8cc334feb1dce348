// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/write/iso_time.h"

#include "batch/fix/fix.h"

namespace zelva::batch {

namespace {

constexpr std::int64_t kDaysPer400Years = 146'097;
// Day numbers count from 1 March 2000, which is day 0 of a 400-year cycle
// that begins in March.
std::int64_t floorDivide(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return a % b < 0 ? q - 1 : q;
}

void appendDigits(std::string& out, std::int64_t value, int width)
{
    if (value < 0) {
        out += '-';
        value = -value;
    }
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < width; ++i)
        out += '0';
    while (n > 0)
        out += digits[--n];
}

} // namespace

CivilDate civilDate(std::int64_t dayNumber)
{
    const std::int64_t cycle = floorDivide(dayNumber, kDaysPer400Years);
    const std::int64_t dayOfCycle = dayNumber - cycle * kDaysPer400Years;  // [0, 146096]
    // Years of the cycle begin in March, so the leap day is each year's last.
    const std::int64_t yearOfCycle =
        (dayOfCycle - dayOfCycle / 1460 + dayOfCycle / 36524 - dayOfCycle / 146096) / 365;
    const std::int64_t dayOfYear = dayOfCycle - (365 * yearOfCycle + yearOfCycle / 4 - yearOfCycle / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;  // [0, 11]
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.year = 2000 + cycle * 400 + yearOfCycle + (date.month <= 2 ? 1 : 0);
    return date;
}

void appendIsoTime(std::string& out, const Instant& instant)
{
    std::int64_t date = instant.date;
    std::int64_t nanoseconds = instant.nanoseconds;
    // A table's clock may run past its day or before it; 86400 s is a leap second.
    const bool leap = nanoseconds >= kNanosecondsPerDay && nanoseconds < kNanosecondsPerDay + kNanosecondsPerSecond;
    if (!leap) {
        date += floorDivide(nanoseconds, kNanosecondsPerDay);
        nanoseconds -= floorDivide(nanoseconds, kNanosecondsPerDay) * kNanosecondsPerDay;
    }
    const CivilDate civil = civilDate(date);
    appendDigits(out, civil.year, 4);
    out += '-';
    appendDigits(out, civil.month, 2);
    out += '-';
    appendDigits(out, civil.day, 2);
    out += 'T';
    const std::int64_t seconds = nanoseconds / kNanosecondsPerSecond;
    appendDigits(out, leap ? 23 : seconds / 3600, 2);
    out += ':';
    appendDigits(out, leap ? 59 : seconds / 60 % 60, 2);
    out += ':';
    appendDigits(out, leap ? 60 : seconds % 60, 2);
    std::int64_t fraction = nanoseconds % kNanosecondsPerSecond;
    if (fraction != 0) {
        out += '.';
        int width = 9;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --width;
        }
        appendDigits(out, fraction, width);
    }
    out += 'Z';
}

} // namespace zelva::batch
