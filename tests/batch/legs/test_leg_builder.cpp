// SPDX-License-Identifier: GPL-3.0-or-later
// Lines of a log or a table through the line reader into legs: epochs, days,
// leap seconds and clocks that run back.
#include "batch/legs/leg_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/read/line_input.h"

namespace zelva::batch {
namespace {

constexpr std::int64_t kRejected = -1;  // in Expected::from: the fix at line was rejected

struct Expected {
    long line;
    double from, to;  // times of day in s
    double interval;  // s
    bool hasSpeed = true;
};

struct Row {
    std::string_view name;
    std::vector<std::string> lines;
    std::vector<Expected> legs;  // and rejections, in the order they came
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// Sentences without checksums (they are optional) at 45 N 9 E.
std::string gga(std::string_view time) { return "$GPGGA," + std::string(time) + ",4500.0000,N,00900.0000,E,1,08"; }
std::string gll(std::string_view time) { return "$GPGLL,4500.0000,N,00900.0000,E," + std::string(time) + ",A,A"; }
std::string rmc(std::string_view time, std::string_view ddmmyy)
{
    return "$GPRMC," + std::string(time) + ",A,4500.0000,N,00900.0000,E,,," + std::string(ddmmyy) + ",,,A";
}
std::string zda(std::string_view time, std::string_view ddmmyyyy)
{
    const std::string d(ddmmyyyy);
    return "$GPZDA," + std::string(time) + "," + d.substr(0, 2) + "," + d.substr(2, 2) + "," + d.substr(4) + ",00,00";
}

const Row kRows[] = {
    {"oneLegPerNextFix", {gga("100000"), gga("100001"), gga("100003")}, {{2, 36000, 36001, 1}, {3, 36001, 36003, 2}}},
    {"sentencesOfOneEpochAreOneFix", {gga("100000"), rmc("100000", "090600"), gll("100000"), gga("100001")},
     {{4, 36000, 36001, 1}}},
    {"rowsAtOneTimeAreTwoFixes", {"45 9 10 0 0", "45 9.1 10 0 0"}, {{2, 36000, 36000, 0, false}}},
    // The fault: two tenths apart read 0.0999999999985448 s.
    {"tenthsStayExact", {gga("100000.1"), gga("100000.2")}, {{2, 36000.1, 36000.2, 0.1}}},
    {"pastMidnightIsTheNextDay", {gga("235959"), gga("000001")}, {{2, 86399, 1, 2}}},
    {"datesCountWholeDays", {rmc("235959", "090600"), rmc("000001", "110600")}, {{2, 86399, 1, 86400 + 2}}},
    // The date comes with the epoch's second sentence (GGA, then RMC).
    {"dateLaterInTheEpoch", {rmc("230000", "090600"), gga("230000"), gga("010000"), rmc("010000", "120600")},
     {{3, 82800, 3600, 3 * 86400 - 22 * 3600}}},
    {"undatedAfterDatedKeepsCounting", {rmc("230000", "090600"), gga("010000"), rmc("020000", "100600")},
     {{2, 82800, 3600, 7200}, {3, 3600, 7200, 3600}}},
    {"zdaDatesTheEpochAfterIt", {rmc("230000", "090600"), zda("010000", "12062000"), gga("010000")},
     {{3, 82800, 3600, 3 * 86400 - 22 * 3600}}},
    {"zdaDatesTheEpochBeforeIt", {rmc("230000", "090600"), gga("010000"), zda("010000", "12062000")},
     {{2, 82800, 3600, 3 * 86400 - 22 * 3600}}},
    // The fault: 23:59:60 and the next midnight made an interval of 0 s.
    {"leapSecond", {gga("235959"), gga("235960"), gga("000000"), gga("000001")},
     {{2, 86399, 86400, 1}, {3, 86400, 0, 1}, {4, 0, 1, 1}}},
    {"leapSecondDated", {rmc("235960", "090600"), rmc("000005", "110600")}, {{2, 86400, 5, 86400 + 6}}},
    // The faults: dates or times running back were legs of a day or more, or
    // dropped the good fixes after them.
    {"earlierDateStartsANewList", {rmc("100000", "090600"), rmc("100000", "070600"), rmc("100010", "090600")},
     {{2, kRejected, 0, 0}, {3, 36000, 36010, 2 * 86400 + 10}}},
    {"earlierTimeOfTheKnownDate", {rmc("194124", "090600"), rmc("194111", "090600"), gga("194125")},
     {{2, kRejected, 0, 0}, {3, 70871, 70885, 14}}},
    {"earlierTimeOfACountedDate", {rmc("194123", "090600"), gga("194124"), rmc("194111", "090600")},
     {{2, 70883, 70884, 1}, {3, kRejected, 0, 0}}},
    // A receiver's clock set back 13 s: the undated GLL after it is no day-long leg.
    {"clockSetBack",
     {rmc("194123", "090600"), gga("194124"), rmc("194111", "090600"), gll("194112"), rmc("194113", "090600")},
     {{2, 70883, 70884, 1}, {3, kRejected, 0, 0}, {4, 70871, 70872, 1}, {5, 70872, 70873, 1}}},
    {"undatedSmallStepBack", {gga("100010"), gga("100000"), gga("100001")},
     {{2, kRejected, 0, 0}, {3, 36000, 36001, 1}}},
    {"undatedHalfADayBackIsNoNewDay", {gga("120000"), gga("000000")}, {{2, kRejected, 0, 0}}},
    {"undatedMoreThanHalfADayBackIsTheNextDay", {gga("120000.5"), gga("000000")}, {{2, 43200.5, 0, 43199.5}}},
    // The fault: a table's clock more than a day behind made a negative interval.
    {"rowMoreThanADayBackIsNoNextDay", {"45 9 30 0 0", "45 9 1 0 0", "45 9 1 0 1"},
     {{2, kRejected, 0, 0}, {3, 3600, 3601, 1}}},
};

class Recorder : public LegSink, public RejectionSink {
public:
    void beginList(const Fix&) override {}
    void leg(const Leg& leg) override
    {
        if (!leg.intervalNanoseconds) {
            legs.push_back({leg.line(), 0, 0, 0, false});
            return;
        }
        legs.push_back({leg.line(), seconds(leg.from), seconds(leg.to),
                        static_cast<double>(*leg.intervalNanoseconds) / 1e9, leg.speedMs().has_value()});
    }
    void endList() override {}
    void pair(const Leg& leg) override { this->leg(leg); }
    void rejected(const Rejection& rejection) override { legs.push_back({rejection.line, kRejected, 0, 0}); }

    std::vector<Expected> legs;

private:
    static double seconds(const Fix& fix) { return static_cast<double>(fix.clock->nanoseconds) / 1e9; }
};

class LegBuilderRows : public testing::TestWithParam<Row> {};

TEST_P(LegBuilderRows, MakesTheLegs)
{
    const Row& row = GetParam();
    Recorder sink;
    LegBuilder builder(sink, sink);
    LineInput input(builder, sink);
    for (const std::string& line : row.lines)
        input.feed(line + "\r\n");
    input.finish(false);

    ASSERT_EQ(sink.legs.size(), row.legs.size());
    for (std::size_t i = 0; i < sink.legs.size(); ++i) {
        SCOPED_TRACE(i);
        const Expected& got = sink.legs[i];
        const Expected& want = row.legs[i];
        EXPECT_EQ(got.line, want.line);
        EXPECT_EQ(got.from, want.from);
        if (want.from == kRejected)
            continue;
        EXPECT_EQ(got.to, want.to);
        EXPECT_EQ(got.interval, want.interval);
        EXPECT_EQ(got.hasSpeed, want.hasSpeed);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LegBuilderRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A live table: each row's leg is given as the row is read, not at the next one.
TEST(LegBuilder, rowLegComesWithItsRow)
{
    Recorder sink;
    LegBuilder builder(sink, sink);
    LineInput input(builder, sink);
    input.feed("45 9 10 0 0\n45 9 10 0 5\n");
    ASSERT_EQ(sink.legs.size(), 1u);
    EXPECT_EQ(sink.legs[0].line, 2);
}

} // namespace
} // namespace zelva::batch
