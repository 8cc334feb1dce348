// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric core of "Calcola", without cells: each row two fixes and the
// trip they give, as the texts the cells would show (point settings, "" unset).
#include "calc/trip.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calc/number_text.h"
#include "tests/test_formats.h"

namespace zelva {
namespace {

struct TripRow {
    const char* name;
    Fix first;  // latitude, longitude, hours, minutes, seconds
    Fix second;
    const char* timeOfDay1;
    const char* timeOfDay2;
    const char* distanceKm;
    const char* distanceM;
    const char* speedMs;
    const char* speedKmh;
    const char* interval;
};

std::string text(double v)
{
    return numberToText(v, test::kPoint);
}

std::string text(const std::optional<double>& v)
{
    return v ? text(*v) : std::string();
}

// From 0,0 at midnight to 0,90 at 00:16:40, a quarter turn in 1000 s whose texts are exact.
constexpr Fix kOrigin{0.0, 0.0, 0.0, 0.0, 0.0};
constexpr Fix kQuarterTurn{0.0, 90.0, 0.0, 16.0, 40.0};
constexpr const char* kKm = "10007.543386575";
constexpr const char* kM = "10007543.386575";
constexpr const char* kHalfTurnKm = "20015.0867960206";
constexpr const char* kHalfTurnM = "20015086.7960206";

const TripRow kTripRows[] = {
    {"quarter_turn_with_the_short_pi", kOrigin, kQuarterTurn,
     "0", "1000", kKm, kM, "10007.543386575", "36027.15619167", "1000"},
    // Regression: a distance covered in no time used to read 0 km/h.
    {"zero_interval_has_no_speed", kOrigin, {0.0, 90.0, 0.0, 0.0, 0.0},
     "0", "0", kKm, kM, "", "", "0"},
    {"identical_fixes_cosine_exactly_one", kOrigin, {0.0, 0.0, 0.0, 16.0, 40.0},
     "0", "1000", "0", "0", "0", "0", "1000"},
    // The computed cosine of the arc rounds above 1 here; the root of a
    // negative number must not turn into a distance.
    {"identical_fixes_cosine_above_one", {45.0, 9.0, 0.0, 0.0, 0.0}, {45.0, 9.0, 0.0, 16.0, 40.0},
     "0", "1000", "0", "0", "0", "0", "1000"},
    // Regression: opposite points used to come out 0 km apart.
    {"antipodes_on_the_equator", kOrigin, {0.0, 180.0, 0.0, 16.0, 40.0},
     "0", "1000", kHalfTurnKm, kHalfTurnM, "20015.0867960206", "72054.3124656741", "1000"},
    {"antipodes_at_the_poles", {90.0, 0.0, 0.0, 0.0, 0.0}, {-90.0, 0.0, 0.0, 16.0, 40.0},
     "0", "1000", kHalfTurnKm, kHalfTurnM, "20015.0867960206", "72054.3124656741", "1000"},
    {"midnight_crossing_is_not_a_day_boundary", {0.0, 0.0, 23.0, 59.0, 50.0}, {0.0, 90.0, 0.0, 0.0, 10.0},
     "86390", "10", kKm, kM, "115.854866711912", "417.077520162885", "86380"},
    {"time_of_day_overflow_is_empty_and_counts_as_zero", {0.0, 0.0, 1e305, 0.0, 0.0}, kQuarterTurn,
     "", "1000", kKm, kM, "10007.543386575", "36027.15619167", "1000"},
    {"interval_overflow_leaves_it_zero", {0.0, 0.0, 4e304, 0.0, 0.0}, {0.0, 90.0, -4e304, 16.0, 40.0},
     "1.44E+308", "-1.44E+308", kKm, kM, "", "", "0"},
    {"speed_overflow_leaves_both_speeds_empty", kOrigin, {0.0, 90.0, 0.0, 0.0, 1e-302},
     "0", "1E-302", kKm, kM, "", "", "1E-302"},
    {"kmh_overflow_leaves_only_kmh_empty", kOrigin, {0.0, 90.0, 0.0, 0.0, 1e-301},
     "0", "1E-301", kKm, kM, "1.0007543386575E+308", "", "1E-301"},
    // The degrees overflow on the way to radians, so that longitude is 0.
    {"longitude_overflow_counts_as_zero", kOrigin, {0.0, 1e308, 0.0, 16.0, 40.0},
     "0", "1000", "0", "0", "0", "0", "1000"},
};

class TripTable : public ::testing::TestWithParam<TripRow> {};

TEST_P(TripTable, GivesTheCellsTexts)
{
    const TripRow& row = GetParam();
    const Trip trip = computeTrip(row.first, row.second);
    EXPECT_EQ(text(trip.timeOfDay1), row.timeOfDay1);
    EXPECT_EQ(text(trip.timeOfDay2), row.timeOfDay2);
    EXPECT_EQ(text(trip.distanceKm), row.distanceKm);
    EXPECT_EQ(text(trip.distanceM), row.distanceM);
    EXPECT_EQ(text(trip.speedMs), row.speedMs);
    EXPECT_EQ(text(trip.speedKmh), row.speedKmh);
    EXPECT_EQ(text(trip.interval), row.interval);
}

INSTANTIATE_TEST_SUITE_P(Rows, TripTable, ::testing::ValuesIn(kTripRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelva
