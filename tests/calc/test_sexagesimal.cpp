// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sexagesimal.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "tests/support/memory_field_table.h"
#include "tests/test_formats.h"

namespace zelva {
namespace {

using namespace test;

// Degrees, minutes, seconds of the four rows, top to bottom.
using Sources = std::array<std::array<std::string_view, 3>, 4>;
using Targets = std::array<std::string_view, 4>;

constexpr std::array<std::array<Cell, 3>, 4> kSourceCells = {{
    {Cell::Latitude1Degrees, Cell::Latitude1Minutes, Cell::Latitude1Seconds},
    {Cell::Longitude1Degrees, Cell::Longitude1Minutes, Cell::Longitude1Seconds},
    {Cell::Latitude2Degrees, Cell::Latitude2Minutes, Cell::Latitude2Seconds},
    {Cell::Longitude2Degrees, Cell::Longitude2Minutes, Cell::Longitude2Seconds},
}};
constexpr std::array<Cell, 4> kTargetCells = {
    Cell::Latitude1, Cell::Longitude1, Cell::Latitude2, Cell::Longitude2,
};

void fill(MemoryFieldTable& cells, const Sources& sources)
{
    for (std::size_t row = 0; row < 4; ++row)
        for (std::size_t i = 0; i < 3; ++i)
            cells.writeCell(kSourceCells[row][i], sources[row][i]);
}

void convert(MemoryFieldTable& cells, const NumberFormat& format)
{
    convertSexagesimal(cells, [format] { return format; });
}

struct Conversion {
    const char* name;
    NumberFormat format;
    Sources sources;
    Targets expected;

    friend void PrintTo(const Conversion& c, std::ostream* os) { *os << c.name; }
};

class SexagesimalConversion : public testing::TestWithParam<Conversion> {};

// The targets are prefilled, so a row that is not written shows up.
TEST_P(SexagesimalConversion, WritesTheFourTargets)
{
    const Conversion& c = GetParam();
    MemoryFieldTable cells;
    for (Cell target : kTargetCells)
        cells.writeCell(target, "old");
    fill(cells, c.sources);
    convert(cells, c.format);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(cells.readCell(kTargetCells[i]), c.expected[i]) << controlName(kTargetCells[i]);
}

constexpr std::string_view kMax = "1,7976931348623157E+308";

INSTANTIATE_TEST_SUITE_P(
    Rows, SexagesimalConversion,
    testing::Values(
        Conversion{"workedExampleComma", kComma,
                   {{{"45", "30", "15"}, {"9", "11", "22,5"}, {"45", "31", "0"}, {"9", "12", "7,25"}}},
                   {"45,5041666666667", "9,18958333333333", "45,5166666666667", "9,20201388888889"}},
        Conversion{"workedExamplePoint", kPoint,
                   {{{"45", "30", "15"}, {"9", "11", "22.5"}, {"45", "31", "0"}, {"9", "12", "7.25"}}},
                   {"45.5041666666667", "9.18958333333333", "45.5166666666667", "9.20201388888889"}},
        Conversion{"allEmpty", kComma, {}, {"", "", "", "0"}},
        Conversion{"onlyRow2Complete", kComma,
                   {{{"45", "30", ""}, {"9", "11", "22,5"}, {"45", "", "0"}, {"", "12", "7,25"}}},
                   {"", "9,18958333333333", "", "0"}},
        Conversion{"notANumberFailsItsRowOnly", kComma,
                   {{{"45", "x", "15"}, {"9", "11", " "}, {"45", "31", "0"}, {"9", "12", "7,25,1"}}},
                   {"", "", "45,5166666666667", "0"}},
        Conversion{"beyondTheDoubleRangeFails", kComma,
                   {{{"1E+400", "0", "0"}, {"9", "0", "0"}, {"45", "0", "0"}, {"9", "-1E+400", "0"}}},
                   {"", "9", "45", "0"}},
        Conversion{"sumOverflowFails", kComma,
                   {{{kMax, "6E+307", "0"}, {kMax, "0", "7E+307"}, {kMax, "0", "0"}, {kMax, "6E+307", "0"}}},
                   {"", "", "1,79769313486232E+308", "0"}},
        Conversion{"sixtyMinutesAreOneDegree", kComma,
                   {{{"10", "60", "0"}, {"10", "0", "3600"}, {"10", "59", "60"}, {"10", "60", "0"}}},
                   {"11", "11", "11", "11"}},
        Conversion{"termsKeepTheirOwnSign", kComma,
                   {{{"-45", "30", "0"}, {"-9", "-30", "0"}, {"0", "-30", "0"}, {"-45", "30", "0"}}},
                   {"-44,5", "-9,5", "-0,5", "-44,5"}}),
    [](const testing::TestParamInfo<Conversion>& info) { return std::string(info.param.name); });

TEST(Sexagesimal, IncompleteRowEmptiesAnEarlierResult)
{
    MemoryFieldTable cells;
    fill(cells, {{{"45", "30", "15"}, {"9", "11", "22,5"}, {"45", "31", "0"}, {"9", "12", "7,25"}}});
    convert(cells, kComma);
    ASSERT_EQ(cells.readCell(Cell::Latitude1), "45,5041666666667");

    cells.writeCell(Cell::Latitude1Seconds, "");
    convert(cells, kComma);
    EXPECT_EQ(cells.readCell(Cell::Latitude1), "");
    EXPECT_EQ(cells.readCell(Cell::Longitude1), "9,18958333333333");
}

TEST(Sexagesimal, TouchesNoCellButTheTargets)
{
    MemoryFieldTable cells;
    for (const CellInfo& info : kCells)
        cells.writeCell(info.cell, "7");
    convert(cells, kComma);
    for (const CellInfo& info : kCells)
        EXPECT_EQ(cells.readCell(info.cell), indexOf(info.cell) < 4 ? "7,11861111111111" : "7") << info.control;
}

} // namespace
} // namespace zelva
