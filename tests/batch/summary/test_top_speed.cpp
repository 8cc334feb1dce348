// SPDX-License-Identifier: GPL-3.0-or-later
// The fastest mean over 10 s or more: no single quick leg, and none at all
// where nothing lasted 10 s.
#include "batch/summary/top_speed.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace zelva::batch::testing {
namespace {

struct Leg {
    double seconds;
    double metres;
};

struct Row {
    std::string_view name;
    std::vector<Leg> legs;
    std::optional<double> fastest;  // m/s
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

std::vector<Leg> repeat(int count, Leg leg) { return std::vector<Leg>(static_cast<std::size_t>(count), leg); }

std::vector<Leg> join(std::vector<std::vector<Leg>> parts)
{
    std::vector<Leg> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Row kRows[] = {
    {"steady", repeat(60, {1, 5}), 5.0},
    // Only with the 8 s beside it: (60 + 8 x 5) / 10.
    {"aQuickLegIsNoTop", join({repeat(30, {1, 5}), {{2, 60}}, repeat(30, {1, 5})}), 10.0},
    {"tenSecondsExactly", join({repeat(20, {1, 2}), repeat(10, {1, 9}), repeat(20, {1, 2})}), 9.0},
    {"underTenSecondsIsNone", repeat(9, {1, 30}), std::nullopt},
    {"oneLongLeg", {{600, 3000}}, 5.0},
    // Legs of 6 s: the fastest stretch of 10 s or more is 12 s long.
    {"sparseLegs", join({repeat(5, {6, 12}), repeat(2, {6, 60}), repeat(5, {6, 12})}), 10.0},
    {"fastestAfterALongStop", join({repeat(20, {1, 3}), {{3600, 0}}, repeat(20, {1, 11})}), 11.0},
    {"noTimeIsNoSpeed", repeat(30, {0, 5}), std::nullopt},
};

class TopSpeedTest : public ::testing::TestWithParam<Row> {};

TEST_P(TopSpeedTest, fastestTenSeconds)
{
    const Row& row = GetParam();
    TopSpeed top;
    std::int64_t nanoseconds = 0;
    double metres = 0.0;
    top.add(0, 0.0);
    for (const Leg& leg : row.legs) {
        nanoseconds += static_cast<std::int64_t>(leg.seconds * 1e9);
        metres += leg.metres;
        top.add(nanoseconds, metres);
    }
    ASSERT_EQ(top.metresPerSecond().has_value(), row.fastest.has_value());
    if (row.fastest) {
        EXPECT_NEAR(*top.metresPerSecond(), *row.fastest, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TopSpeedTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TopSpeed, noStretchAcrossABreak)
{
    TopSpeed top;
    top.add(0, 0.0);
    top.add(5'000'000'000, 50.0);
    top.reset();
    // 5 s before and 6 s after the break, each too short alone.
    top.add(20'000'000'000, 1000.0);
    top.add(26'000'000'000, 1060.0);
    EXPECT_FALSE(top.metresPerSecond());
}

} // namespace
} // namespace zelva::batch::testing
