// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric core of "Calcola", without cells: each row two fixes and the
// trip they give, as the texts the cells would show (point settings, "" unset).
#include "calc/trip.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/number_text.h"
#include "tests/test_formats.h"

namespace zelva {
namespace {

struct TripRow {
    const char* name;
    Fix first;
    Fix second;
    const char* timeOfDay1;
    const char* timeOfDay2;
    const char* interval;
    const char* distanceKm;
    const char* speedMs;
    const char* speedKmh;
};

std::string text(const MaybeNumber& v)
{
    return v ? numberToText(*v, test::kPoint) : std::string();
}

const TripRow kTripRows[] = {
    {"quarter_turn_with_the_short_pi", {0.0, 0.0, 0.0, 0.0, 0.0}, {0.0, 90.0, 0.0, 16.0, 40.0},
     "0", "1000", "1000", "10007.543386575", "10007.543386575", "36027.15619167"},
    {"same_time_has_no_speed", {0.0, 0.0, 1.0, 0.0, 0.0}, {0.0, 90.0, 1.0, 0.0, 0.0},
     "3600", "3600", "0", "10007.543386575", "", ""},
    {"identical_fixes_are_zero_apart", {45.0, 9.0, 0.0, 0.0, 0.0}, {45.0, 9.0, 0.0, 0.0, 10.0},
     "0", "10", "10", "0", "0", "0"},
    {"unread_values_count_as_zero", {std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0.0},
     {0.0, 90.0, std::nullopt, std::nullopt, 1000.0},
     "0", "1000", "1000", "10007.543386575", "10007.543386575", "36027.15619167"},
    {"overflowing_hours_leave_no_time", {0.0, 0.0, 1e305, 0.0, 0.0}, {0.0, 0.0, 0.0, 0.0, 5.0},
     "", "5", "5", "0", "0", "0"},
};

class TripTable : public ::testing::TestWithParam<TripRow> {};

TEST_P(TripTable, GivesTheCellsTexts)
{
    const TripRow& row = GetParam();
    const Trip trip = computeTrip(row.first, row.second);
    EXPECT_EQ(text(trip.timeOfDay1), row.timeOfDay1);
    EXPECT_EQ(text(trip.timeOfDay2), row.timeOfDay2);
    EXPECT_EQ(numberToText(trip.interval, test::kPoint), row.interval);
    EXPECT_EQ(text(trip.distanceKm), row.distanceKm);
    EXPECT_EQ(text(trip.speedMs), row.speedMs);
    EXPECT_EQ(text(trip.speedKmh), row.speedKmh);
}

INSTANTIATE_TEST_SUITE_P(Rows, TripTable, ::testing::ValuesIn(kTripRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelva
