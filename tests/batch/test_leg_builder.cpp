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
    bool dateOnly = false;  // a ZDA
};

constexpr long kRejected = -1;  // in Expected::timeOfDay1: the fix at line was rejected as earlier

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

Reading zda(double hours, double minutes, double seconds, std::int64_t date)
{
    return {hours, minutes, seconds, date, true, 9.0, true};
}

const Row kRows[] = {
    {"oneLegPerNextFix", {{10, 0, 0}, {10, 0, 1}, {10, 0, 3}}, {{2, 36000, 36001, 1}, {3, 36001, 36003, 2}}},
    {"sentencesOfOneEpochAreOneFix",
     {{10, 0, 0}, {10, 0, 0, std::nullopt, true, 9.5}, {10, 0, 0}, {10, 0, 1}},
     {{4, 36000, 36001, 1}}},
    {"rowsAtOneTimeAreTwoFixes", {{10, 0, 0, std::nullopt, false}, {10, 0, 0, std::nullopt, false, 9.1}},
     {{2, 36000, 36000, 0, false}}},
    {"pastMidnightIsTheNextDay", {{23, 59, 59}, {0, 0, 1}}, {{2, 86399, 1, 2}}},
    {"datesCountWholeDays", {{23, 59, 59, 100}, {0, 0, 1, 102}}, {{2, 86399, 1, 86400 + 2}}},
    // The date comes with the epoch's second sentence (GGA, then RMC).
    {"dateLaterInTheEpoch",
     {{23, 0, 0, 100}, {23, 0, 0}, {1, 0, 0}, {1, 0, 0, 103}},
     {{3, 82800, 3600, 3 * 86400 - 22 * 3600}}},
    {"undatedAfterDatedKeepsCounting", {{23, 0, 0, 100}, {1, 0, 0}, {2, 0, 0, 101}},
     {{2, 82800, 3600, 7200}, {3, 3600, 7200, 3600}}},
    {"zdaDatesTheEpochAfterIt", {{23, 0, 0, 100}, zda(1, 0, 0, 103), {1, 0, 0}},
     {{3, 82800, 3600, 3 * 86400 - 22 * 3600}}},
    {"zdaDatesTheEpochBeforeIt", {{23, 0, 0, 100}, {1, 0, 0}, zda(1, 0, 0, 103)},
     {{2, 82800, 3600, 3 * 86400 - 22 * 3600}}},
    // The fault: 23:59:60 and the next midnight made an interval of 0 s.
    {"leapSecond", {{23, 59, 59}, {23, 59, 60}, {0, 0, 0}, {0, 0, 1}},
     {{2, 86399, 86400, 1}, {3, 86400, 0, 1}, {4, 0, 1, 1}}},
    {"leapSecondDated", {{23, 59, 60, 100}, {0, 0, 5, 102}}, {{2, 86400, 5, 86400 + 6}}},
    // The faults: dates or times running back were legs of a day or more.
    {"earlierDateRejected", {{10, 0, 0, 100}, {10, 0, 0, 98}, {10, 0, 10, 100}},
     {{2, kRejected, 0, 0}, {3, 36000, 36010, 10}}},
    {"earlierTimeOfTheKnownDateRejected", {{19, 41, 24, 100}, {19, 41, 11, 100}, {19, 41, 25}},
     {{2, kRejected, 0, 0}, {3, 70884, 70885, 1}}},
    {"earlierTimeOfACountedDateRejected", {{19, 41, 23, 100}, {19, 41, 24}, {19, 41, 11, 100}},
     {{2, 70883, 70884, 1}, {3, kRejected, 0, 0}}},
};

class Recorder : public LegSink {
public:
    void leg(const Leg& leg) override { legs.push_back(leg); }
    void earlierFix(long line, long) override
    {
        Trip marker;
        marker.timeOfDay1 = kRejected;
        legs.push_back(Leg{line, marker});
    }
    std::vector<Leg> legs;
};

class LegBuilderRows : public testing::TestWithParam<Row> {};

TEST_P(LegBuilderRows, MakesTheLegs)
{
    const Row& row = GetParam();
    Recorder sink;
    LegBuilder builder(sink);
    long line = 0;
    for (const Reading& reading : row.readings) {
        const Fix fix{45.0, reading.longitude, reading.hours, reading.minutes, reading.seconds};
        ++line;
        if (reading.dateOnly)
            builder.add(EpochDate{fix, *reading.date});
        else
            builder.add(ListFix{fix, reading.date, reading.sentence}, line);
    }
    builder.flush();

    ASSERT_EQ(sink.legs.size(), row.legs.size());
    for (std::size_t i = 0; i < sink.legs.size(); ++i) {
        SCOPED_TRACE(i);
        const Leg& leg = sink.legs[i];
        EXPECT_EQ(leg.line, row.legs[i].line);
        EXPECT_EQ(leg.trip.timeOfDay1, row.legs[i].timeOfDay1);
        if (row.legs[i].timeOfDay1 == kRejected)
            continue;
        EXPECT_EQ(leg.trip.timeOfDay2, row.legs[i].timeOfDay2);
        EXPECT_EQ(leg.trip.interval, row.legs[i].interval);
        EXPECT_EQ(leg.trip.speedMs.has_value(), row.legs[i].hasSpeed);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LegBuilderRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A live table: each row's leg is given as the row is read, not at the next one.
TEST(LegBuilder, rowLegComesWithItsRow)
{
    Recorder sink;
    LegBuilder builder(sink);
    builder.add(ListFix{{45, 9, 10, 0, 0}, std::nullopt, false}, 1);
    builder.add(ListFix{{45, 9, 10, 0, 5}, std::nullopt, false}, 2);
    ASSERT_EQ(sink.legs.size(), 1u);
    EXPECT_EQ(sink.legs[0].line, 2);
}

} // namespace
} // namespace zelva::batch
