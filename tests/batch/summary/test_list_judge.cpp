// SPDX-License-Identifier: GPL-3.0-or-later
// A list's figures as the summary line gives them: its moments, what has no
// time, what a spike or a stop does to the distance.
#include "batch/summary/list_judge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>

#include "batch/fix/civil_date.h"
#include "batch/summary/local_plane.h"
#include "tests/batch/summary/judge_feed.h"
#include "tests/batch/summary/plane_track.h"

namespace zelva::batch::testing {
namespace {

constexpr std::int64_t kSecond = kNanosecondsPerSecond;

Fix fixAt(long line, double east, double north, std::optional<std::int64_t> seconds,
          std::optional<std::int64_t> date = std::nullopt, std::optional<double> elevation = std::nullopt)
{
    const Position p = LocalPlane(45.0, 9.0).position({east, north});
    Fix fix;
    fix.line = line;
    fix.latitude = p.latitude;
    fix.longitude = p.longitude;
    if (seconds)
        fix.clock = Clock{*seconds * kSecond, date};
    fix.elevation = elevation;
    return fix;
}

TripFigures judgeOne(const std::vector<Fix>& fixes)
{
    const std::vector<TripFigures> lists = JudgeFeed::judge(fixes);
    EXPECT_EQ(lists.size(), 1u);
    return lists.empty() ? TripFigures{} : lists.front();
}

TEST(ListJudge, theFirstFixDatedByALaterOne)
{
    // A log's first sentences without a date, an RMC's date later, past midnight.
    const std::int64_t day = *dayNumber(2026, 12, 9);
    const TripFigures trip = judgeOne({fixAt(1, 0, 0, 86390), fixAt(2, 0, 10, 86395), fixAt(3, 0, 20, 5, day),
                                       fixAt(4, 0, 30, 15)});
    ASSERT_TRUE(trip.start && trip.end);
    EXPECT_EQ(trip.start->date, day - 1);
    EXPECT_EQ(trip.start->nanoseconds, 86390 * kSecond);
    EXPECT_EQ(trip.end->date, day);
    EXPECT_EQ(trip.end->nanoseconds, 15 * kSecond);
    EXPECT_EQ(trip.elapsedNanoseconds, 25 * kSecond);
}

TEST(ListJudge, noDateNoMoments)
{
    const TripFigures trip = judgeOne({fixAt(1, 0, 0, 100), fixAt(2, 0, 10, 110)});
    EXPECT_FALSE(trip.start);
    EXPECT_FALSE(trip.end);
    EXPECT_TRUE(trip.timed);
}

TEST(ListJudge, aRouteHasDistanceAlone)
{
    const TripFigures trip = judgeOne({fixAt(1, 0, 0, {}, {}, 10.0), fixAt(2, 0, 300, {}, {}, 30.0),
                                       fixAt(3, 400, 300, {}, {}, 12.0)});
    EXPECT_FALSE(trip.timed);
    EXPECT_NEAR(trip.distanceKm, 0.7, 1e-3);
    EXPECT_FALSE(trip.meanKmh());
    EXPECT_FALSE(trip.topKmh());
    EXPECT_FALSE(trip.paceMinutesPerKm());
    // A route's elevations are counted as they are.
    EXPECT_EQ(trip.ascentM, 20.0);
    EXPECT_EQ(trip.descentM, 18.0);
    EXPECT_EQ(trip.lowestM, 10.0);
    EXPECT_EQ(trip.highestM, 30.0);
}

TEST(ListJudge, aFixWithoutClockBreaksTheStretch)
{
    // 60 s at 5 m/s, a point without a time 100 m on, 60 s more at 5 m/s.
    std::vector<Fix> fixes;
    for (int i = 0; i <= 60; ++i)
        fixes.push_back(fixAt(i + 1, 0, 5.0 * i, 1000 + i));
    fixes.push_back(fixAt(62, 0, 400, {}));
    for (int i = 0; i <= 60; ++i)
        fixes.push_back(fixAt(63 + i, 0, 500 + 5.0 * i, 2000 + i));
    const TripFigures trip = judgeOne(fixes);
    EXPECT_EQ(trip.fixes, 123);
    EXPECT_NEAR(trip.distanceKm, 0.8, 1e-3);  // the untimed legs too
    EXPECT_EQ(trip.elapsedNanoseconds, 120 * kSecond);
    EXPECT_EQ(trip.movingNanoseconds, 120 * kSecond);
    EXPECT_NEAR(trip.movingKm, 0.6, 1e-3);  // only the timed ones
    ASSERT_TRUE(trip.meanKmh());
    EXPECT_NEAR(*trip.meanKmh(), 18.0, 1e-6);
    EXPECT_NEAR(*trip.paceMinutesPerKm(), 10.0 / 3.0, 1e-6);
}

TEST(ListJudge, aSpikeAddsNoDistance)
{
    std::vector<Fix> fixes;
    for (int i = 0; i <= 60; ++i)
        fixes.push_back(fixAt(i + 1, i == 30 ? 183.0 : 0.0, 1.2 * i, 100 + i));
    const TripFigures trip = judgeOne(fixes);
    EXPECT_EQ(trip.spikes, 1);
    EXPECT_NEAR(trip.distanceKm, 0.072, 1e-4);
    ASSERT_TRUE(trip.topMetresPerSecond);
    EXPECT_NEAR(*trip.topMetresPerSecond, 1.2, 1e-3);
}

TEST(ListJudge, atRestTheJitterIsNoDistance)
{
    std::uint32_t state = 5;
    std::vector<Fix> fixes;
    fixes.push_back(fixAt(1, 0.0, 0.0, 100));
    for (int i = 1; i <= 900; ++i)
        fixes.push_back(fixAt(i + 1, 3.0 * scatter(state), 3.0 * scatter(state), 100 + i));
    const TripFigures trip = judgeOne(fixes);
    EXPECT_EQ(trip.stoppedNanoseconds, 900 * kSecond);
    EXPECT_EQ(trip.movingNanoseconds, 0);
    EXPECT_EQ(trip.distanceKm, 0.0);
    EXPECT_FALSE(trip.meanKmh());
    EXPECT_FALSE(trip.paceMinutesPerKm());
    EXPECT_EQ(trip.spikes, 0);
}

TEST(ListJudge, eachListItsOwnFigures)
{
    ListJudge judge;
    const Fix a = fixAt(1, 0, 0, 0, 100, 500.0), b = fixAt(2, 0, 100, 20, 100, 520.0);
    judge.begin(a);
    judge.leg(Leg{a, b, 0.1, 20 * kSecond});
    const TripFigures first = judge.end();
    const Fix c = fixAt(3, 0, 0, 0, 200), d = fixAt(4, 0, 10, 5, 200);
    judge.begin(c);
    judge.leg(Leg{c, d, 0.01, 5 * kSecond});
    const TripFigures second = judge.end();
    EXPECT_EQ(first.highestM, 520.0);
    EXPECT_EQ(first.topMetresPerSecond, 5.0);
    EXPECT_FALSE(second.highestM);
    EXPECT_FALSE(second.topMetresPerSecond) << "5 s is no stretch of 10";
    EXPECT_EQ(second.start->date, 200);
    EXPECT_EQ(second.fixes, 2);
}

TEST(TripFigures, totalsSumAndKeepTheExtremes)
{
    TripFigures a, b;
    a.fixes = 3;
    a.start = Instant{10, 5};
    a.end = Instant{10, 50};
    a.distanceKm = 1.5;
    a.timed = true;
    a.elapsedNanoseconds = 100;
    a.movingNanoseconds = 60;
    a.stoppedNanoseconds = 40;
    a.movingKm = 1.5;
    a.topMetresPerSecond = 4.0;
    a.ascentM = 10.0;
    a.lowestM = 200.0;
    a.highestM = 210.0;
    a.spikes = 2;
    b.fixes = 2;
    b.start = Instant{9, 70};
    b.distanceKm = 0.5;
    b.topMetresPerSecond = 6.0;
    b.descentM = 4.0;
    b.lowestM = 150.0;
    b.spikes = 1;
    a.add(b);
    EXPECT_EQ(a.fixes, 5);
    EXPECT_EQ(a.start->date, 9);
    EXPECT_EQ(a.end->nanoseconds, 50);
    EXPECT_EQ(a.distanceKm, 2.0);
    EXPECT_EQ(a.elapsedNanoseconds, 100);
    EXPECT_EQ(a.topMetresPerSecond, 6.0);
    EXPECT_EQ(a.ascentM, 10.0);
    EXPECT_EQ(a.descentM, 4.0);
    EXPECT_EQ(a.lowestM, 150.0);
    EXPECT_EQ(a.highestM, 210.0);
    EXPECT_EQ(a.spikes, 3);
    // A sum past 292 years keeps what it had.
    EXPECT_EQ(addOrKeep(INT64_MAX - 1, 5), INT64_MAX - 1);
    EXPECT_EQ(addOrKeep(-4, 5), 1);
}

} // namespace
} // namespace zelva::batch::testing
