// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/leg_builder.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace zelva::batch {
namespace {

struct Reading {
    double hours, minutes, seconds;
    std::optional<std::int64_t> date = std::nullopt;
    bool sentence = true;
    double longitude = 9.0;
};

struct Expected {
    long line;
    double timeOfDay1, timeOfDay2, interval;
    bool hasSpeed = true;
};

struct Row {
    std::string_view name;
    std::vector<Reading> readings;  // read at lines 1, 2, 3...
    std::vector<Expected> legs;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Row kRows[] = {
    {"oneLegPerNextFix", {{10, 0, 0}, {10, 0, 1}, {10, 0, 3}}, {{2, 36000, 36001, 1}, {3, 36001, 36003, 2}}},
    {"sentencesOfOneEpochAreOneFix",
     {{10, 0, 0}, {10, 0, 0, std::nullopt, true, 9.5}, {10, 0, 0}, {10, 0, 1}},
     {{4, 36000, 36001, 1}}},
    {"rowsAtOneTimeAreTwoFixes", {{10, 0, 0, std::nullopt, false}, {10, 0, 0, std::nullopt, false, 9.1}},
     {{2, 36000, 36000, 0, false}}},
    {"pastMidnightIsTheNextDay", {{23, 59, 59}, {0, 0, 1}}, {{2, 86399, 1, 2}}},
    {"datesCountWholeDays", {{23, 59, 59, 100}, {0, 0, 1, 102}}, {{2, 86399, 1, 86400 + 2}}},
    {"sameDateEarlierTime", {{12, 0, 0, 100}, {11, 0, 0, 100}}, {{2, 43200, 39600, 3600}}},
    // The date comes with the epoch's second sentence (GGA, then RMC).
    {"dateLaterInTheEpoch",
     {{23, 0, 0, 100}, {23, 0, 0}, {1, 0, 0}, {1, 0, 0, 103}},
     {{3, 82800, 3600, 3 * 86400 - 22 * 3600}}},
    {"undatedAfterDatedKeepsCounting", {{23, 0, 0, 100}, {1, 0, 0}, {2, 0, 0, 101}},
     {{2, 82800, 3600, 7200}, {3, 3600, 7200, 3600}}},
};

class LegBuilderRows : public testing::TestWithParam<Row> {};

TEST_P(LegBuilderRows, MakesTheLegs)
{
    const Row& row = GetParam();
    LegBuilder builder;
    std::vector<Leg> legs;
    long line = 0;
    for (const Reading& reading : row.readings) {
        const ListFix fix{{45.0, reading.longitude, reading.hours, reading.minutes, reading.seconds},
                          reading.date, reading.sentence};
        if (const std::optional<Leg> leg = builder.add(fix, ++line))
            legs.push_back(*leg);
    }
    if (const std::optional<Leg> leg = builder.flush())
        legs.push_back(*leg);

    ASSERT_EQ(legs.size(), row.legs.size());
    for (std::size_t i = 0; i < legs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(legs[i].line, row.legs[i].line);
        EXPECT_EQ(legs[i].trip.timeOfDay1, row.legs[i].timeOfDay1);
        EXPECT_EQ(legs[i].trip.timeOfDay2, row.legs[i].timeOfDay2);
        EXPECT_EQ(legs[i].trip.interval, row.legs[i].interval);
        EXPECT_EQ(legs[i].trip.speedMs.has_value(), row.legs[i].hasSpeed);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LegBuilderRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelva::batch
