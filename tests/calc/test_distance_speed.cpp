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

using Cells = std::vector<std::pair<std::string_view, std::string_view>>;

constexpr std::array<std::string_view, 7> kResultCells = {
    "Text16", "Text17", "Text5", "Text6", "Text11", "Text9", "Text15",
};

// Text1..Text4, then fix 1 at hours/minutes/seconds, then fix 2 likewise.
const Cells kExample1 = {
    {"Text1", "45"}, {"Text2", "9"}, {"Text3", "44"}, {"Text4", "10"},
    {"Text12", "10"}, {"Text10", "15"}, {"Text7", "30"},
    {"Text13", "11"}, {"Text14", "45"}, {"Text8", "0"},
};
const Cells kExample2 = {
    {"Text1", "0"}, {"Text2", "0"}, {"Text3", "0"}, {"Text4", "90"},
    {"Text12", "0"}, {"Text10", "0"}, {"Text7", "0"},
    {"Text13", "0"}, {"Text14", "16"}, {"Text8", "40"},
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
        for (const auto& [name, text] : values)
            cells.writeCell(name, text);
    }

    void run(const NumberFormat& format = kPoint)
    {
        computeDistanceAndSpeed(
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

    std::string operator[](std::string_view name) const { return cells.readCell(name); }
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
    EXPECT_EQ(click["Text16"], "36930");
    EXPECT_EQ(click["Text17"], "42300");
    EXPECT_EQ(click["Text15"], "5370");
    EXPECT_EQ(tenDigits(click["Text5"]), "136.5784036");
    EXPECT_EQ(tenDigits(click["Text6"]), "136578.4036");
    EXPECT_EQ(tenDigits(click["Text11"]), "25.43359471");
    EXPECT_EQ(tenDigits(click["Text9"]), "91.56094095");
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
    for (std::string_view name : kResultCells) {
        std::string expected = point[name];
        for (char& ch : expected)
            if (ch == '.')
                ch = ',';
        EXPECT_EQ(comma[name], expected) << name;
    }
    EXPECT_NE(comma["Text5"].find(','), std::string::npos);
}

// Every row starts from the quarter-turn fixes (0,0 and 0,90 in 1000 s, whose texts are exact), changes some
// inputs, and expects all seven result cells; they are prefilled with junk, so a
// cell that a click forgets to write shows up.
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
    for (std::string_view name : kResultCells)
        click.cells.writeCell(name, "junk");
    click.fill(s.overrides);
    click.run();
    for (std::size_t i = 0; i < kResultCells.size(); ++i)
        EXPECT_EQ(click[kResultCells[i]], s.expected[i]) << kResultCells[i];
    EXPECT_TRUE(click.prompts.empty());
}

constexpr std::string_view kKm = "10007.543386575";
constexpr std::string_view kM = "10007543.386575";

INSTANTIATE_TEST_SUITE_P(
    Rows, DistanceSpeedScenario,
    testing::Values(
        Scenario{"example2", {}, {"0", "1000", kKm, kM, "10007.543386575", "36027.15619167", "1000"}},
        // Regression: a distance covered in no time used to read 0 km/h.
        Scenario{"zeroIntervalLeavesBothSpeedsEmpty", {{"Text14", "0"}, {"Text8", "0"}},
                 {"0", "0", kKm, kM, "", "", "0"}},
        Scenario{"blankLatitudeCountsAsZero", {{"Text1", " "}},
                 {"0", "1000", kKm, kM, "10007.543386575", "36027.15619167", "1000"}},
        Scenario{"secondsNotANumberAreZero", {{"Text8", "abc"}},
                 {"0", "960", kKm, kM, "10424.5243610156", "37528.2876996562", "960"}},
        Scenario{"firstSecondsNotANumberAreZero", {{"Text10", "1"}, {"Text7", "abc"}},
                 {"60", "1000", kKm, kM, "10646.3227516755", "38326.7619060319", "940"}},
        Scenario{"identicalFixesCosineExactlyOne", {{"Text4", "0"}},
                 {"0", "1000", "0", "0", "0", "0", "1000"}},
        // The computed cosine of the arc rounds above 1 here; the root of a
        // negative number must not turn into a distance.
        Scenario{"identicalFixesCosineAboveOne",
                 {{"Text1", "45"}, {"Text2", "9"}, {"Text3", "45"}, {"Text4", "9"}},
                 {"0", "1000", "0", "0", "0", "0", "1000"}},
        // Regression: opposite points used to come out 0 km apart.
        Scenario{"antipodesOnTheEquator", {{"Text4", "180"}},
                 {"0", "1000", "20015.0867960206", "20015086.7960206", "20015.0867960206",
                  "72054.3124656741", "1000"}},
        Scenario{"antipodesAtThePoles", {{"Text1", "90"}, {"Text3", "-90"}, {"Text4", "0"}},
                 {"0", "1000", "20015.0867960206", "20015086.7960206", "20015.0867960206",
                  "72054.3124656741", "1000"}},
        Scenario{"midnightCrossingIsNotADayBoundary",
                 {{"Text12", "23"}, {"Text10", "59"}, {"Text7", "50"},
                  {"Text13", "0"}, {"Text14", "0"}, {"Text8", "10"}},
                 {"86390", "10", kKm, kM, "115.854866711912", "417.077520162885", "86380"}},
        Scenario{"timeOfDayOverflowIsEmptyAndCountsAsZero", {{"Text12", "1E+305"}},
                 {"", "1000", kKm, kM, "10007.543386575", "36027.15619167", "1000"}},
        Scenario{"intervalOverflowLeavesItZero", {{"Text12", "4E+304"}, {"Text13", "-4E+304"}},
                 {"1.44E+308", "-1.44E+308", kKm, kM, "", "", "0"}},
        Scenario{"speedOverflowLeavesBothSpeedsEmpty", {{"Text14", "0"}, {"Text8", "1E-302"}},
                 {"0", "1E-302", kKm, kM, "", "", "1E-302"}},
        Scenario{"kmhOverflowLeavesOnlyKmhEmpty", {{"Text14", "0"}, {"Text8", "1E-301"}},
                 {"0", "1E-301", kKm, kM, "1.0007543386575E+308", "", "1E-301"}},
        // The degrees overflow on the way to radians, so that longitude is 0.
        Scenario{"longitudeOverflowCountsAsZero", {{"Text4", "1E+308"}},
                 {"0", "1000", "0", "0", "0", "0", "1000"}}),
    [](const testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

class DistanceSpeedMissingInput : public testing::TestWithParam<std::string_view> {};

TEST_P(DistanceSpeedMissingInput, ShowsOneErrorAndChangesNoCell)
{
    Click click(kExample1);
    click.run();
    ASSERT_EQ(click["Text15"], "5370");
    click.cells.writeCell(GetParam(), "");
    const auto before = click.snapshot();

    click.run();

    ASSERT_EQ(click.prompts.size(), 1u);
    EXPECT_EQ(click.prompts[0].text, "ERRORE! Non hai inserto i dati.");
    EXPECT_EQ(click.prompts[0].style, MessageStyle::Error);
    EXPECT_EQ(click.snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(EachInput, DistanceSpeedMissingInput,
                         testing::Values("Text1", "Text2", "Text3", "Text4", "Text7", "Text8",
                                         "Text10", "Text12", "Text13", "Text14"),
                         [](const testing::TestParamInfo<std::string_view>& info) {
                             return std::string(info.param);
                         });

TEST(DistanceSpeed, SwappingTheFixesOrTheirTimesGivesTheSameResults)
{
    const Cells swappedFixes = {
        {"Text1", "44"}, {"Text2", "10"}, {"Text3", "45"}, {"Text4", "9"},
        {"Text12", "11"}, {"Text10", "45"}, {"Text7", "0"},
        {"Text13", "10"}, {"Text14", "15"}, {"Text8", "30"},
    };
    const Cells swappedTimes = {
        {"Text12", "11"}, {"Text10", "45"}, {"Text7", "0"},
        {"Text13", "10"}, {"Text14", "15"}, {"Text8", "30"},
    };
    Click original(kExample1);
    original.run();
    for (const Cells& change : {swappedFixes, swappedTimes}) {
        Click swapped(kExample1, change);
        swapped.run();
        for (std::string_view name : {"Text15", "Text5", "Text6", "Text11", "Text9"})
            EXPECT_EQ(swapped[name], original[name]) << name;
    }
}

TEST(DistanceSpeed, FractionsAreReadWithTheUsersSeparator)
{
    Click comma(kExample1, {{"Text7", "30,5"}});
    comma.run(kComma);
    EXPECT_EQ(comma["Text16"], "36930,5");
    // Under point settings the comma groups digits, so 30,5 reads as 305.
    Click point(kExample1, {{"Text7", "30,5"}});
    point.run(kPoint);
    EXPECT_EQ(point["Text16"], "37205");
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
