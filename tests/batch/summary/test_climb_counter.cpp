// SPDX-License-Identifier: GPL-3.0-or-later
// Ascent and descent as a hiker counts them: the climb, not the scatter of
// the receiver's elevation.
#include "batch/summary/climb_counter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string_view>

#include "tests/batch/summary/plane_track.h"

namespace zelva::batch::testing {
namespace {

struct Row {
    std::string_view name;
    int seconds;                       // at 1 Hz
    std::function<double(int)> truth;  // the elevation at each second
    double sigma;                      // the scatter on it
    double ascent, descent;            // expected
    double within;                     // m either way
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

double hills(int t)
{
    // Up 120 m in 20 min, down 80 m in 10, up 30 in 5.
    if (t < 1200)
        return 300.0 + 0.1 * t;
    if (t < 1800)
        return 420.0 - 80.0 * (t - 1200) / 600.0;
    return 340.0 + 30.0 * std::min(1.0, (t - 1800) / 300.0);
}

const Row kRows[] = {
    {"flatAndScattering3m", 3600, [](int) { return 250.0; }, 3.0, 0.0, 0.0, 0.0},
    {"climb100mScattering3m", 1200, [](int t) { return 100.0 + 100.0 * t / 1200.0; }, 3.0, 100.0, 0.0, 2.0},
    // From its first fix to its last: the ends are no flat.
    {"climbEndToEnd", 600, [](int t) { return 0.3 * t; }, 0.0, 179.7, 0.0, 0.1},
    {"hillsScattering3m", 2400, hills, 3.0, 150.0, 80.0, 3.0},
    // Rises of 2 m are the ground's texture, not a climb.
    {"bumpsUnderTheHysteresis", 1200, [](int t) { return 50.0 + 2.0 * std::sin(t / 20.0); }, 0.0, 0.0, 0.0, 0.0},
};

class ClimbCounterTest : public ::testing::TestWithParam<Row> {};

TEST_P(ClimbCounterTest, countsTheClimb)
{
    const Row& row = GetParam();
    std::uint32_t state = 3;
    ClimbCounter climb;
    for (int t = 0; t < row.seconds; ++t)
        climb.add(t, row.truth(t) + row.sigma * scatter(state));
    climb.flush();
    ASSERT_TRUE(climb.ascent() && climb.descent());
    EXPECT_NEAR(*climb.ascent(), row.ascent, row.within);
    EXPECT_NEAR(*climb.descent(), row.descent, row.within);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClimbCounterTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClimbCounter, hysteresisOnElevationsWithoutTimes)
{
    ClimbCounter climb;
    for (const double e : {0.0, 4.0, 0.0, 4.0, 0.0, 3.0, 6.0, 2.0, 10.0, 4.9, 7.0, 1.0})
        climb.addUntimed(e);
    // 0 to 10 (the 4 m dips do not count), then down to 1.
    EXPECT_DOUBLE_EQ(*climb.ascent(), 10.0);
    EXPECT_DOUBLE_EQ(*climb.descent(), 9.0);
    EXPECT_EQ(climb.lowest(), 0.0);
    EXPECT_EQ(climb.highest(), 10.0);
}

TEST(ClimbCounter, noElevationNoFigures)
{
    ClimbCounter climb;
    climb.flush();
    EXPECT_FALSE(climb.ascent());
    EXPECT_FALSE(climb.descent());
    EXPECT_FALSE(climb.lowest());
}

TEST(ClimbCounter, extremesOfTheSmoothedElevation)
{
    // A single wild reading is no summit.
    ClimbCounter climb;
    for (int t = 0; t < 120; ++t)
        climb.add(t, t == 60 ? 180.0 : 100.0);
    climb.flush();
    ASSERT_TRUE(climb.highest());
    EXPECT_LT(*climb.highest(), 104.0);
    EXPECT_GE(*climb.highest(), 100.0);
}

} // namespace
} // namespace zelva::batch::testing
