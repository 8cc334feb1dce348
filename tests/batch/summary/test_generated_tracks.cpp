// SPDX-License-Identifier: GPL-3.0-or-later
// Twenty seeds of rides and walks whose truth is known, judged as the summary
// judges them: moving time, top speed, ascent and spikes must come out near
// the truth on every one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "batch/fix/clock.h"
#include "tests/batch/summary/judge_feed.h"
#include "tests/batch/summary/track_generator.h"

namespace zelva::batch::testing {
namespace {

struct Case {
    Activity activity;
    std::uint32_t seed;
};

std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    return (info.param.activity == Activity::Ride ? "ride" : "walk") + std::to_string(info.param.seed);
}

std::vector<Case> cases()
{
    std::vector<Case> all;
    for (std::uint32_t seed = 1; seed <= 20; ++seed)
        for (const Activity activity : {Activity::Ride, Activity::Walk})
            all.push_back({activity, seed});
    return all;
}

Instant instantOf(const Fix& fix) { return {*fix.clock->date, fix.clock->nanoseconds}; }

double relative(double measured, double truth) { return (measured - truth) / truth; }

class GeneratedTrackTest : public ::testing::TestWithParam<Case> {};

TEST_P(GeneratedTrackTest, judgedNearTheTruth)
{
    const Case c = GetParam();
    const GeneratedTrack track = generateTrack(c.activity, c.seed);
    const std::vector<TripFigures> lists = JudgeFeed::judge(track.fixes);
    ASSERT_EQ(lists.size(), 1u);
    const TripFigures& trip = lists.front();
    const bool ride = c.activity == Activity::Ride;

    EXPECT_EQ(trip.fixes, static_cast<long>(track.fixes.size()));
    ASSERT_TRUE(trip.start && trip.end);
    EXPECT_FALSE(*trip.start < instantOf(track.fixes.front()) || instantOf(track.fixes.front()) < *trip.start);
    EXPECT_FALSE(*trip.end < instantOf(track.fixes.back()) || instantOf(track.fixes.back()) < *trip.end);
    EXPECT_EQ(trip.movingNanoseconds + trip.stoppedNanoseconds, trip.elapsedNanoseconds);

    const double moving = relative(secondsOf(trip.movingNanoseconds), track.movingSeconds);
    EXPECT_LE(std::abs(moving), ride ? 0.02 : 0.05) << secondsOf(trip.movingNanoseconds) << " s moving, truth "
                                                     << track.movingSeconds;
    ASSERT_TRUE(trip.topMetresPerSecond);
    const double top = relative(*trip.topMetresPerSecond, track.topSpeedMs);
    if (ride) {
        EXPECT_LE(std::abs(top), 0.05) << *trip.topMetresPerSecond << " m/s, truth " << track.topSpeedMs;
    }
    ASSERT_TRUE(trip.ascentM);
    const double ascent = relative(*trip.ascentM, track.ascentM);
    EXPECT_LE(std::abs(ascent), 0.05) << *trip.ascentM << " m up, truth " << track.ascentM;
    EXPECT_LE(std::abs(trip.spikes - track.spikes), std::max(1L, track.spikes / 5))
        << trip.spikes << " spikes, truth " << track.spikes;

    // Neither a spike's detour nor a stop's jitter is distance.
    const double distance = relative(trip.distanceKm, track.distanceKm);
    EXPECT_LE(std::abs(distance), ride ? 0.02 : 0.05) << trip.distanceKm << " km, truth " << track.distanceKm;

    std::printf("%s %2u: moving %+.2f%% (%.0f s, %ld stops)  top %+.2f%%  ascent %+.2f%% (%.0f m)  "
                "descent %+.2f%%  distance %+.2f%%  spikes %ld of %ld\n",
                ride ? "ride" : "walk", c.seed, 100 * moving, track.movingSeconds, track.stops, 100 * top,
                100 * ascent, track.ascentM, 100 * relative(trip.descentM.value_or(0), track.descentM),
                100 * distance, trip.spikes, track.spikes);
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedTrackTest, ::testing::ValuesIn(cases()), caseName);

} // namespace
} // namespace zelva::batch::testing
