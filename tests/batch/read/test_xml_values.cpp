// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/xml_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string_view>

namespace zelva::batch {
namespace {

// A UTC date and clock as written: day, hours, minutes, seconds.
struct UtcTime {
    std::int64_t date;
    std::int64_t hours, minutes;
    double seconds;
};

struct Row {
    std::string_view name;
    std::string_view text;
    std::optional<UtcTime> time;  // nullopt: refused
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

constexpr std::int64_t k8December2026 = 9778;  // days after 1 March 2000

const Row kRows[] = {
    {"utc", "2026-12-08T10:41:27Z", UtcTime{k8December2026, 10, 41, 27}},
    {"fractionKept", " 2026-12-08T10:41:27.125Z\n", UtcTime{k8December2026, 10, 41, 27.125}},
    {"noZoneIsUtc", "2026-12-08T10:41:27", UtcTime{k8December2026, 10, 41, 27}},
    // The offset moves whole minutes, across midnight and into the day before.
    {"eastOfUtc", "2026-12-08T01:30:00.5+02:00", UtcTime{k8December2026 - 1, 23, 30, 0.5}},
    {"westOfUtc", "2026-12-08T22:15:00-03:30", UtcTime{k8December2026 + 1, 1, 45, 0}},
    {"leapSecond", "2026-12-31T23:59:60Z", UtcTime{k8December2026 + 23, 23, 59, 60}},
    {"hour24", "2026-12-08T24:00:00Z", std::nullopt},
    {"thirtyFirstOfNovember", "2026-11-31T10:00:00Z", std::nullopt},
    {"spaceForT", "2026-12-08 10:41:27Z", std::nullopt},
    {"emptyFraction", "2026-12-08T10:41:27.Z", std::nullopt},
    {"zoneWithoutColon", "2026-12-08T10:41:27+0200", std::nullopt},
    // The fault: fractions read as doubles gave noise digits to the intervals.
    {"nineDecimalsExact", "2026-12-08T10:41:27.123456789Z", UtcTime{k8December2026, 10, 41, 27.123456789}},
    {"leapSecondEastOfUtcKeepsItsMinute", "2027-01-01T00:59:60.5+01:00", UtcTime{k8December2026 + 23, 23, 59, 60.5}},
};

class DateTimeRows : public testing::TestWithParam<Row> {};

TEST_P(DateTimeRows, ReadsAsUtc)
{
    const Row& row = GetParam();
    const std::optional<Clock> got = readDateTime(row.text);
    ASSERT_EQ(got.has_value(), row.time.has_value());
    if (!got)
        return;
    const UtcTime& want = *row.time;
    EXPECT_EQ(got->date, want.date);
    const auto ns = (want.hours * 3600 + want.minutes * 60) * 1'000'000'000
                  + std::llround(want.seconds * 1e9);
    EXPECT_EQ(got->nanoseconds, ns);
}

INSTANTIATE_TEST_SUITE_P(Rows, DateTimeRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Degrees, refusesWhatIsNoCoordinate)
{
    EXPECT_EQ(readDegrees(" -45.5 ", 90), -45.5);
    EXPECT_EQ(readDegrees("+1e1", 90), 10.0);
    EXPECT_FALSE(readDegrees("90.000001", 90));
    EXPECT_FALSE(readDegrees("nan", 180));
    EXPECT_FALSE(readDegrees("45,5", 90));
    EXPECT_FALSE(readDegrees("", 90));
}

} // namespace
} // namespace zelva::batch
