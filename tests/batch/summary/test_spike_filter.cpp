// SPDX-License-Identifier: GPL-3.0-or-later
// Fixes that jump away and come back are left out, and nothing else: not a
// detour, not a jump that stays, not a receiver's scatter.
#include "batch/summary/spike_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string_view>

#include "tests/batch/summary/plane_track.h"

namespace zelva::batch::testing {
namespace {

struct Row {
    std::string_view name;
    std::vector<PlanePoint> points;
    std::vector<std::size_t> leftOut;  // indices into points
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

struct Move {
    std::size_t fix;
    double east, north;
};

// A walk north at 1.2 m/s, a fix every so many seconds, with the given fixes moved.
std::vector<PlanePoint> walk(std::size_t count, const std::vector<Move>& moved = {}, double every = 1.0)
{
    std::vector<PlanePoint> points;
    for (std::size_t i = 0; i < count; ++i)
        points.push_back({every * static_cast<double>(i), 0.0, 1.2 * every * static_cast<double>(i)});
    for (const Move& m : moved) {
        points[m.fix].east += m.east;
        points[m.fix].north += m.north;
    }
    return points;
}

std::vector<PlanePoint> restingScatter()
{
    std::uint32_t state = 7;
    std::vector<PlanePoint> points;
    for (int i = 0; i < 600; ++i)
        points.push_back({static_cast<double>(i), 3.0 * scatter(state), 3.0 * scatter(state)});
    return points;
}

std::vector<PlanePoint> shifted()
{
    std::vector<PlanePoint> points = walk(20);
    for (std::size_t i = 8; i < points.size(); ++i)
        points[i].east += 200.0;
    return points;
}

const Row kRows[] = {
    {"oneFixOut183mAndBack", walk(20, {{8, 183.0, 0.0}}), {8}},
    {"twoFixesOutTogether", walk(20, {{8, 150.0, 40.0}, {9, 160.0, 30.0}}), {8, 9}},
    {"threeFixesOut", walk(20, {{8, -120.0, 0.0}, {9, -130.0, 0.0}, {10, -110.0, 0.0}}), {8, 9, 10}},
    {"fourFixesOutAreAPlaceBeen", walk(20, {{8, 120, 0}, {9, 130, 0}, {10, 110, 0}, {11, 120, 0}}), {}},
    {"twoSpikesApart", walk(30, {{6, 0.0, 250.0}, {16, -100.0, 0.0}}), {6, 16}},
    {"aJumpThatStays", shifted(), {}},
    // 183 m out and back over 20 s is 3.7 m/s²: a detour, however odd.
    {"slowDetour", walk(20, {{8, 183.0, 0.0}}, 10.0), {}},
    // 19 m off: within what a receiver may scatter.
    {"underTheLeastOffset", walk(20, {{8, 19.0, 0.0}}), {}},
    {"restingScatterOf3m", restingScatter(), {}},
    // Nothing yet to judge them by.
    {"firstFixesAsTheyAre", walk(20, {{1, 183.0, 0.0}}), {}},
    // No fix after it to come back to.
    {"lastFixAsItIs", walk(20, {{19, 183.0, 0.0}}), {}},
};

class SpikeFilterTest : public ::testing::TestWithParam<Row> {};

TEST_P(SpikeFilterTest, leavesOutTheSpikesAlone)
{
    const Row& row = GetParam();
    const std::vector<Step> steps = planeSteps(row.points);
    KeptSteps kept;
    SpikeFilter filter(kept);
    for (const Step& step : steps)
        filter.add(step);
    filter.flush();

    EXPECT_EQ(filter.takeSpikes(), static_cast<long>(row.leftOut.size()));
    std::vector<std::size_t> expected;
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (std::find(row.leftOut.begin(), row.leftOut.end(), i) == row.leftOut.end())
            expected.push_back(i);
    ASSERT_EQ(kept.steps.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Step& step = kept.steps[k];
        EXPECT_EQ(step.at.nanoseconds, steps[expected[k]].at.nanoseconds) << "step " << k;
        if (k == 0)
            continue;
        // Each leg from the step kept before it, across what was left out.
        const Sample& before = kept.steps[k - 1].at;
        EXPECT_EQ(step.legNanoseconds, step.at.nanoseconds - before.nanoseconds) << "step " << k;
        EXPECT_DOUBLE_EQ(step.legKm,
                         greatCircleKm(before.latitude, before.longitude, step.at.latitude, step.at.longitude))
            << "step " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SpikeFilterTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpikeFilter, eachStretchJudgedByItsOwnFixes)
{
    // After a flush the next stretch's first two fixes are its own, not the last stretch's.
    KeptSteps kept;
    SpikeFilter filter(kept);
    const std::vector<Step> first = planeSteps(walk(10));
    for (const Step& step : first)
        filter.add(step);
    filter.flush();
    const std::vector<Step> second = planeSteps(walk(10, {{0, 183.0, 0.0}}));
    for (const Step& step : second)
        filter.add(step);
    filter.flush();
    EXPECT_EQ(filter.takeSpikes(), 0);
    EXPECT_EQ(kept.steps.size(), 20u);
    EXPECT_EQ(filter.takeSpikes(), 0) << "counted once";
}

} // namespace
} // namespace zelva::batch::testing
