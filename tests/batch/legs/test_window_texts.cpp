// SPDX-License-Identifier: GPL-3.0-or-later
// The committed output of the program for the pairs file, which the
// end-to-end run compares byte for byte, holds what the window writes for the
// same ten texts typed under Italian settings: the times to the letter, and
// on legs of 10 km or more the distance and speeds within 5e-10, the digits
// the window's own formula keeps there.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/distance_speed.h"
#include "tests/support/memory_field_table.h"

namespace zelva {
namespace {

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator))
        fields.push_back(field);
    if (!line.empty() && line.back() == separator)
        fields.emplace_back();
    return fields;
}

std::vector<std::string> lines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

// The window's seven results for ten texts, in the program's column order.
std::vector<std::string> windowResults(const std::vector<std::string>& texts)
{
    constexpr Cell kOrder[] = {Cell::Latitude1, Cell::Longitude1, Cell::Hours1, Cell::Minutes1,
                               Cell::Seconds1, Cell::Latitude2, Cell::Longitude2, Cell::Hours2,
                               Cell::Minutes2, Cell::Seconds2};
    MemoryFieldTable cells;
    for (std::size_t i = 0; i < std::size(kOrder); ++i)
        cells.writeCell(kOrder[i], texts[i]);
    const bool written = computeDistanceAndSpeed(
        cells, [] { return NumberFormat{",", "."}; },
        [](std::string_view, MessageStyle) { return MessageAnswer::Ok; });
    EXPECT_TRUE(written);
    std::vector<std::string> results;
    for (Cell cell : {Cell::TimeOfDay1, Cell::TimeOfDay2, Cell::DistanceKm, Cell::DistanceM,
                      Cell::Interval, Cell::SpeedMs, Cell::SpeedKmh})
        results.push_back(cells.readCell(cell));
    return results;
}

double number(std::string text)
{
    for (char& c : text)
        c = c == ',' ? '.' : c;
    return std::stod(text);
}

// Times and interval as the window writes them; distance and speeds close to its.
void expectWindowResults(const std::vector<std::string>& batch, const std::vector<std::string>& window)
{
    ASSERT_EQ(batch.size(), window.size());
    for (std::size_t i : {0, 1, 4})
        EXPECT_EQ(batch[i], window[i]) << "field " << i;
    if (number(window[2]) < 10.0)
        return;
    for (std::size_t i : {2, 3, 5, 6}) {
        const double expected = number(window[i]);
        EXPECT_NEAR(number(batch[i]), expected, std::fabs(expected) * 5e-10) << "field " << i;
    }
}

TEST(BatchPairs, WriteTheWindowsTexts)
{
    const std::string data = ZELVA_BATCH_DATA;
    std::map<long, std::vector<std::string>> written;
    const std::vector<std::string> output = lines(data + "/pairs.expected");
    ASSERT_GT(output.size(), 1u);
    for (std::size_t i = 1; i < output.size(); ++i) {
        std::vector<std::string> fields = split(output[i], ';');
        ASSERT_EQ(fields.size(), 8u) << output[i];
        const long row = std::stol(fields[0]);
        fields.erase(fields.begin());
        written[row] = fields;
    }

    const std::vector<std::string> input = lines(data + "/pairs.txt");
    std::size_t compared = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        std::istringstream in(input[i]);
        std::vector<std::string> texts;
        for (std::string text; in >> text;)
            texts.push_back(text);
        if (texts.size() != 10 || !written.contains(static_cast<long>(i + 1)))
            continue;  // the file's bad rows, which the program rejects
        SCOPED_TRACE(i + 1);
        expectWindowResults(written[static_cast<long>(i + 1)], windowResults(texts));
        ++compared;
    }
    EXPECT_EQ(compared, written.size());
    EXPECT_GE(compared, 4u);
}

} // namespace
} // namespace zelva
