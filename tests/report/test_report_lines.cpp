// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/memory_field_table.h"
#include "report/report_lines.h"

namespace zelva {
namespace {

MemoryFieldTable tableOf(const std::vector<std::pair<const char*, const char*>>& texts)
{
    MemoryFieldTable table;
    for (const auto& [name, text] : texts)
        table.writeCell(name, text);
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
    const char* cell;
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
    {"single_blank", "Text1", " ", 8, " NORD =  "},
    {"blanks_around", "Text5", "  2,5 ", 18, " DISTANZA km ->   2,5 "},
    {"letters", "Text2", "abc", 9, " EST = abc"},
    {"comma_number", "Text9", "30,5", 20, " VELOCITA' Km/h -> 30,5"},
    {"point_number", "Text11", "8.3", 21, " VELOCITA' m/s -> 8.3"},
    {"hours_no_leading_zero", "Text13", "7", 14, " Orario 7::"},
    {"minutes_between_colons", "Text14", "05", 14, " Orario :05:"},
    {"seconds_last", "Text8", "1,5", 14, " Orario ::1,5"},
    {"interval", "Text15", "-1", 22, " Intervallo s -> -1"},
    {"non_ascii_kept_as_utf8", "Text3", "45°", 12, " NORD = 45°"},
};

INSTANTIATE_TEST_SUITE_P(Cells, CellsCopiedAsTheyStand, ::testing::ValuesIn(kCopyRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ComposeReport, IgnoresCellsOutsideTheReport)
{
    MemoryFieldTable table;
    for (int n = 16; n <= 29; ++n)
        table.writeCell("Text" + std::to_string(n), "X");
    const auto withOthers = composeReport(table);
    EXPECT_EQ(withOthers, composeReport(MemoryFieldTable{}));
}

} // namespace
} // namespace zelva
