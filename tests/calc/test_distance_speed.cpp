// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/distance_speed.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/memory_field_table.h"
#include "tests/test_formats.h"

namespace zelva {
namespace {

using namespace test;

using Cells = std::vector<std::pair<Cell, std::string_view>>;

constexpr std::array<Cell, 7> kResultCells = {
    Cell::TimeOfDay1, Cell::TimeOfDay2, Cell::DistanceKm, Cell::DistanceM,
    Cell::SpeedMs,    Cell::SpeedKmh,   Cell::Interval,
};

// The four positions, then fix 1 at hours/minutes/seconds, then fix 2 likewise.
const Cells kExample1 = {
    {Cell::Latitude1, "45"}, {Cell::Longitude1, "9"}, {Cell::Latitude2, "44"},
    {Cell::Longitude2, "10"},
    {Cell::Hours1, "10"}, {Cell::Minutes1, "15"}, {Cell::Seconds1, "30"},
    {Cell::Hours2, "11"}, {Cell::Minutes2, "45"}, {Cell::Seconds2, "0"},
};
const Cells kExample2 = {
    {Cell::Latitude1, "0"}, {Cell::Longitude1, "0"}, {Cell::Latitude2, "0"},
    {Cell::Longitude2, "90"},
    {Cell::Hours1, "0"}, {Cell::Minutes1, "0"}, {Cell::Seconds1, "0"},
    {Cell::Hours2, "0"}, {Cell::Minutes2, "16"}, {Cell::Seconds2, "40"},
};

struct Prompt {
    std::string text;
    MessageStyle style;
};

struct Click {
    MemoryFieldTable cells;
    std::vector<Prompt> prompts;
    int settingsReads = 0;

    explicit Click(const Cells& inputs, const Cells& overrides = {})
    {
        fill(inputs);
        fill(overrides);
    }

    void fill(const Cells& values)
    {
        for (const auto& [cell, text] : values)
            cells.writeCell(cell, text);
    }

    // Whether the action wrote its results.
    bool run(const NumberFormat& format = kPoint)
    {
        return computeDistanceAndSpeed(
            cells,
            [this, format] {
                ++settingsReads;
                return format;
            },
            [this](std::string_view prompt, MessageStyle style) {
                prompts.push_back({std::string(prompt), style});
                return MessageAnswer::Ok;
            });
    }

    std::array<std::string, kCellCount> snapshot() const
    {
        std::array<std::string, kCellCount> all;
        for (const CellInfo& info : kCells)
            all[indexOf(info.cell)] = cells.readCell(info.cell);
        return all;
    }

    std::string operator[](Cell cell) const { return cells.readCell(cell); }
};

// Point-settings cell text rounded to ten significant digits.
std::string tenDigits(const std::string& text)
{
    double value = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec != std::errc{} || parsed.ptr != text.data() + text.size())
        return "not a number: " + text;
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, written.ptr);
}

TEST(DistanceSpeedExample1, TenSignificantDigits)
{
    Click click(kExample1);
    click.run();
    EXPECT_EQ(click[Cell::TimeOfDay1], "36930");
    EXPECT_EQ(click[Cell::TimeOfDay2], "42300");
    EXPECT_EQ(click[Cell::Interval], "5370");
    EXPECT_EQ(tenDigits(click[Cell::DistanceKm]), "136.5784036");
    EXPECT_EQ(tenDigits(click[Cell::DistanceM]), "136578.4036");
    EXPECT_EQ(tenDigits(click[Cell::SpeedMs]), "25.43359471");
    EXPECT_EQ(tenDigits(click[Cell::SpeedKmh]), "91.56094095");
    EXPECT_TRUE(click.prompts.empty());
}

// Guards against converting degrees with the full-precision pi: at ten digits
// that distance differs from the expected one, so the check above catches it.
TEST(DistanceSpeedExample1, FullPrecisionPiWouldBeDistinguishable)
{
    const auto radians = [](double degrees) { return (degrees * 3.141592653589793) / 180.0; };
    const double c = std::sin(radians(45)) * std::sin(radians(44))
        + (std::cos(radians(45)) * std::cos(radians(44))) * std::cos(std::fabs(radians(9) - radians(10)));
    const double km = 6371.0 * (std::atan((-c) / std::sqrt((-c) * c + 1.0)) + 2.0 * std::atan(1.0));
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, km, std::chars_format::general, 10);
    EXPECT_EQ(std::string(buffer, written.ptr), "136.5784037");
}

TEST(DistanceSpeedExample1, CommaSettingsShowTheSameDigitsWithAComma)
{
    Click point(kExample1);
    point.run(kPoint);
    Click comma(kExample1);
    comma.run(kComma);
    for (Cell cell : kResultCells) {
        std::string expected = point[cell];
        for (char& ch : expected)
            if (ch == '.')
                ch = ',';
        EXPECT_EQ(comma[cell], expected) << controlName(cell);
    }
    EXPECT_NE(comma[Cell::DistanceKm].find(','), std::string::npos);
}

// How the texts reach the arithmetic and its results reach the cells; the
// arithmetic itself is tested in test_trip.cpp. Every row starts from the quarter-turn fixes
// (0,0 and 0,90 in 1000 s, whose texts are exact), changes some inputs, and
// expects all seven result cells; they are prefilled with junk, so a cell that a
// click forgets to write shows up.
struct Scenario {
    const char* name;
    Cells overrides;
    std::array<std::string_view, 7> expected; // in the order of kResultCells

    friend void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }
};

class DistanceSpeedScenario : public testing::TestWithParam<Scenario> {};

TEST_P(DistanceSpeedScenario, WritesAllSevenCells)
{
    const Scenario& s = GetParam();
    Click click(kExample2);
    for (Cell cell : kResultCells)
        click.cells.writeCell(cell, "junk");
    click.fill(s.overrides);
    EXPECT_TRUE(click.run());
    for (std::size_t i = 0; i < kResultCells.size(); ++i)
        EXPECT_EQ(click[kResultCells[i]], s.expected[i]) << controlName(kResultCells[i]);
    EXPECT_TRUE(click.prompts.empty());
}

constexpr std::string_view kKm = "10007.543386575";
constexpr std::string_view kM = "10007543.386575";

INSTANTIATE_TEST_SUITE_P(
    Rows, DistanceSpeedScenario,
    testing::Values(
        Scenario{"example2", {}, {"0", "1000", kKm, kM, "10007.543386575", "36027.15619167", "1000"}},
        // A result the arithmetic leaves out is written as the empty text.
        Scenario{"blankResultsAreWrittenEmpty",
                 {{Cell::Hours1, "1E+305"}, {Cell::Minutes2, "0"}, {Cell::Seconds2, "0"}},
                 {"", "0", kKm, kM, "", "", "0"}},
        Scenario{"unreadableTextsCountAsZero",
                 {{Cell::Latitude1, " "}, {Cell::Longitude1, "x"}, {Cell::Hours1, "x"},
                  {Cell::Minutes1, "x"}, {Cell::Hours2, "x"}, {Cell::Minutes2, "x"},
                  {Cell::Seconds2, "1000"}},
                 {"0", "1000", kKm, kM, "10007.543386575", "36027.15619167", "1000"}},
        Scenario{"secondsNotANumberAreZero", {{Cell::Seconds2, "abc"}},
                 {"0", "960", kKm, kM, "10424.5243610156", "37528.2876996562", "960"}},
        Scenario{"firstSecondsNotANumberAreZero", {{Cell::Minutes1, "1"}, {Cell::Seconds1, "abc"}},
                 {"60", "1000", kKm, kM, "10646.3227516755", "38326.7619060319", "940"}}),
    [](const testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

class DistanceSpeedMissingInput : public testing::TestWithParam<Cell> {};

TEST_P(DistanceSpeedMissingInput, ShowsOneErrorAndChangesNoCell)
{
    Click click(kExample1);
    ASSERT_TRUE(click.run());
    ASSERT_EQ(click[Cell::Interval], "5370");
    click.cells.writeCell(GetParam(), "");
    const auto before = click.snapshot();

    EXPECT_FALSE(click.run());

    ASSERT_EQ(click.prompts.size(), 1u);
    EXPECT_EQ(click.prompts[0].text, "ERRORE! Non hai inserto i dati.");
    EXPECT_EQ(click.prompts[0].style, MessageStyle::Error);
    EXPECT_EQ(click.snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(EachInput, DistanceSpeedMissingInput,
                         testing::Values(Cell::Latitude1, Cell::Longitude1, Cell::Latitude2,
                                         Cell::Longitude2, Cell::Seconds1, Cell::Seconds2,
                                         Cell::Minutes1, Cell::Hours1, Cell::Hours2, Cell::Minutes2),
                         [](const testing::TestParamInfo<Cell>& info) {
                             return std::string(controlName(info.param));
                         });

TEST(DistanceSpeed, SwappingTheFixesOrTheirTimesGivesTheSameResults)
{
    const Cells swappedFixes = {
        {Cell::Latitude1, "44"}, {Cell::Longitude1, "10"},
        {Cell::Latitude2, "45"}, {Cell::Longitude2, "9"},
        {Cell::Hours1, "11"}, {Cell::Minutes1, "45"}, {Cell::Seconds1, "0"},
        {Cell::Hours2, "10"}, {Cell::Minutes2, "15"}, {Cell::Seconds2, "30"},
    };
    const Cells swappedTimes = {
        {Cell::Hours1, "11"}, {Cell::Minutes1, "45"}, {Cell::Seconds1, "0"},
        {Cell::Hours2, "10"}, {Cell::Minutes2, "15"}, {Cell::Seconds2, "30"},
    };
    Click original(kExample1);
    original.run();
    for (const Cells& change : {swappedFixes, swappedTimes}) {
        Click swapped(kExample1, change);
        swapped.run();
        for (Cell cell :
             {Cell::Interval, Cell::DistanceKm, Cell::DistanceM, Cell::SpeedMs, Cell::SpeedKmh})
            EXPECT_EQ(swapped[cell], original[cell]) << controlName(cell);
    }
}

TEST(DistanceSpeed, FractionsAreReadWithTheUsersSeparator)
{
    Click comma(kExample1, {{Cell::Seconds1, "30,5"}});
    comma.run(kComma);
    EXPECT_EQ(comma[Cell::TimeOfDay1], "36930,5");
    // Under point settings the comma groups digits, so 30,5 reads as 305.
    Click point(kExample1, {{Cell::Seconds1, "30,5"}});
    point.run(kPoint);
    EXPECT_EQ(point[Cell::TimeOfDay1], "37205");
}

// The settings could change while a click runs; each click must see one set.
TEST(DistanceSpeed, ReadsTheSettingsOncePerClick)
{
    Click click(kExample1);
    click.run();
    EXPECT_EQ(click.settingsReads, 1);
}

} // namespace
} // namespace zelva
