// SPDX-License-Identifier: GPL-3.0-or-later
// Stopped or moving, as the receiver's jitter tells: at rest whatever its
// scatter makes of the legs, moving at a walker's pace, and stops that begin
// and end where they did.
#include "batch/summary/stop_detector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string_view>

#include "tests/batch/summary/plane_track.h"

namespace zelva::batch::testing {
namespace {

// A course at 1 Hz: legs of so many seconds at a speed (0 for at rest), each
// fix moved by a scatter of σ metres on each axis.
struct Piece {
    int seconds;
    double speed;  // m/s, north
    double sigma;  // m
};

std::vector<PlanePoint> course(const std::vector<Piece>& pieces, double every = 1.0)
{
    std::uint32_t state = 11;
    std::vector<PlanePoint> points;
    double t = 0.0, north = 0.0;
    points.push_back({t, 0.0, 0.0});
    for (const Piece& piece : pieces) {
        for (double s = every; s <= piece.seconds + 1e-9; s += every) {
            t += every;
            north += piece.speed * every;
            points.push_back({t, piece.sigma * scatter(state), north + piece.sigma * scatter(state)});
        }
    }
    return points;
}

struct Row {
    std::string_view name;
    std::vector<PlanePoint> points;
    double stoppedSeconds;
    double within;  // s either way
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

std::vector<PlanePoint> gapAt(double east)
{
    std::vector<PlanePoint> points = course({{60, 1.2, 0.0}});
    const PlanePoint last = points.back();
    points.push_back({last.seconds + 600.0, last.east + east, last.north});
    for (int i = 1; i <= 60; ++i)
        points.push_back({last.seconds + 600.0 + i, last.east + east, last.north + 1.2 * i});
    return points;
}

std::vector<PlanePoint> restWithAStrayFix()
{
    std::vector<PlanePoint> points = course({{300, 0.0, 1.0}});
    points[150].east += 14.0;
    return points;
}

const Row kRows[] = {
    // Legs of some 5 m/s, all jitter.
    {"atRestScattering3m", course({{600, 0.0, 3.0}}), 600.0, 3.0},
    {"walkerAt1_2", course({{600, 1.2, 0.0}}), 0.0, 0.0},
    {"walkerAt1_2Scattering1m", course({{600, 1.2, 1.0}}), 0.0, 0.0},
    {"cyclistAt6", course({{600, 6.0, 0.5}}), 0.0, 0.0},
    // Within 4 m for 30 s is under 1 km/h: no motion a summary should count
    // (but for the first seconds, before the core of its first 30 s).
    {"creepAt0_2", course({{600, 0.2, 0.0}}), 595.0, 5.0},
    {"walkStopWalk", course({{300, 1.2, 0.0}, {120, 0.0, 3.0}, {300, 1.2, 0.0}}), 120.0, 8.0},
    {"rideStopRide", course({{300, 8.0, 0.0}, {45, 0.0, 3.0}, {300, 8.0, 0.0}}), 45.0, 3.0},
    {"pauseUnder30s", course({{300, 1.2, 0.0}, {20, 0.0, 3.0}, {300, 1.2, 0.0}}), 0.0, 0.0},
    {"oneStrayFixAtRest", restWithAStrayFix(), 300.0, 2.0},
    // A gap in the recording is a stop where the fixes either side meet.
    {"gapInOnePlace", gapAt(2.0), 600.0, 3.0},
    {"gapAcrossTown", gapAt(500.0), 0.0, 0.0},
    // A fix every 5 s: the same stop.
    {"sparseWalkStopWalk", course({{300, 1.2, 0.0}, {120, 0.0, 3.0}, {300, 1.2, 0.0}}, 5.0), 120.0, 10.0},
};

class StopDetectorTest : public ::testing::TestWithParam<Row> {};

TEST_P(StopDetectorTest, stopsWhereTheReceiverStayed)
{
    const Row& row = GetParam();
    const std::vector<Step> steps = planeSteps(row.points);
    JudgedSteps judged;
    StopDetector stops(judged);
    for (const Step& step : steps)
        stops.add(step);
    stops.flush();

    // Every step once, in order.
    ASSERT_EQ(judged.steps.size(), steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i)
        ASSERT_EQ(judged.steps[i].at.nanoseconds, steps[i].at.nanoseconds) << "step " << i;
    EXPECT_NEAR(judged.stoppedSeconds(), row.stoppedSeconds, row.within);
}

INSTANTIATE_TEST_SUITE_P(Rows, StopDetectorTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StopDetector, aStopLeavesItsStepsWhileItLasts)
{
    // A live receiver at rest: its steps are not all held back to the end.
    const std::vector<Step> steps = planeSteps(course({{600, 0.0, 3.0}}));
    JudgedSteps judged;
    StopDetector stops(judged);
    for (const Step& step : steps)
        stops.add(step);
    EXPECT_GE(judged.steps.size(), steps.size() - 20);
    stops.flush();
    EXPECT_EQ(judged.steps.size(), steps.size());
}

TEST(StopDetector, theArrivalIsMoving)
{
    // The leg into a stop's first fix still moves.
    const std::vector<Step> steps = planeSteps(course({{100, 1.2, 0.0}, {100, 0.0, 0.0}}));
    JudgedSteps judged;
    StopDetector stops(judged);
    for (const Step& step : steps)
        stops.add(step);
    stops.flush();
    std::size_t first = 0;
    while (first < judged.stopped.size() && !judged.stopped[first])
        ++first;
    ASSERT_LT(first, judged.stopped.size());
    // At rest from 100 s: within the floor's core (2 m) from 98.3 s.
    EXPECT_NEAR(judged.steps[first].at.seconds, 100.0, 2.0);
    EXPECT_NEAR(judged.stoppedSeconds(), 100.0, 2.0);
}

} // namespace
} // namespace zelva::batch::testing
