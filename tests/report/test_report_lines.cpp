// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/memory_field_table.h"
#include "report/report_lines.h"

namespace zelva {
namespace {

MemoryFieldTable tableOf(const std::vector<std::pair<Cell, const char*>>& texts)
{
    MemoryFieldTable table;
    for (const auto& [cell, text] : texts)
        table.writeCell(cell, text);
    return table;
}

TEST(ComposeReport, AfterStartUpEveryLineHasItsLabelLength)
{
    const auto lines = composeReport(MemoryFieldTable{});
    const std::size_t lengths[kReportLineCount] = {
        0, 65, 65, 65, 65, 65, 0, 8, 7, 10, 0, 8, 7, 10, 0, 52, 0, 16, 15, 19, 18, 17};
    for (int i = 0; i < kReportLineCount; ++i)
        EXPECT_EQ(lines[i].size(), lengths[i]) << "line " << i + 1 << ": \"" << lines[i] << '"';
    EXPECT_EQ(lines[7], " NORD = ");
    EXPECT_EQ(lines[9], " Orario ::");
    EXPECT_EQ(lines[20], " VELOCITA' m/s -> ");
}

TEST(ComposeReport, BannerFramesTitleAndAddress)
{
    const auto lines = composeReport(MemoryFieldTable{});
    EXPECT_EQ(lines[2], " ********                 Zelvamirontica                 ********");
    EXPECT_EQ(lines[3], " ********                                                ********");
    EXPECT_EQ(lines[4], " ********          https://zelvamirontica.org/           ********");
    EXPECT_EQ(lines[4].find(kMakerAddress), 19u);  // columns 20 to 46
}

struct CopyRow {
    const char* name;
    Cell cell;
    const char* text;
    int line;  // 1-based
    const char* expected;
};

class CellsCopiedAsTheyStand : public ::testing::TestWithParam<CopyRow> {};

TEST_P(CellsCopiedAsTheyStand, Untrimmed)
{
    const CopyRow& row = GetParam();
    const auto lines = composeReport(tableOf({{row.cell, row.text}}));
    EXPECT_EQ(lines[row.line - 1], row.expected);
}

const CopyRow kCopyRows[] = {
    {"single_blank", Cell::Latitude1, " ", 8, " NORD =  "},
    {"blanks_around", Cell::DistanceKm, "  2,5 ", 18, " DISTANZA km ->   2,5 "},
    {"letters", Cell::Longitude1, "abc", 9, " EST = abc"},
    {"comma_number", Cell::SpeedKmh, "30,5", 20, " VELOCITA' Km/h -> 30,5"},
    {"point_number", Cell::SpeedMs, "8.3", 21, " VELOCITA' m/s -> 8.3"},
    {"hours_no_leading_zero", Cell::Hours2, "7", 14, " Orario 7::"},
    {"minutes_between_colons", Cell::Minutes2, "05", 14, " Orario :05:"},
    {"seconds_last", Cell::Seconds2, "1,5", 14, " Orario ::1,5"},
    {"interval", Cell::Interval, "-1", 22, " Intervallo s -> -1"},
    {"non_ascii_kept_as_utf8", Cell::Latitude2, "45°", 12, " NORD = 45°"},
};

INSTANTIATE_TEST_SUITE_P(Cells, CellsCopiedAsTheyStand, ::testing::ValuesIn(kCopyRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ComposeReport, IgnoresCellsOutsideTheReport)
{
    MemoryFieldTable table;
    // The times of day and the degrees, minutes and seconds: none is printed.
    for (const CellInfo& info : kCells)
        if (info.cell >= Cell::TimeOfDay1)
            table.writeCell(info.cell, "X");
    const auto withOthers = composeReport(table);
    EXPECT_EQ(withOthers, composeReport(MemoryFieldTable{}));
}

} // namespace
} // namespace zelva
