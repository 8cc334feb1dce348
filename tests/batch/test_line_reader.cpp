// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

namespace zelva::batch {
namespace {

constexpr std::size_t kMax = LineReader::kMaxLine;
const std::string kTooLong = "(too long)";

struct Row {
    std::string name;
    std::string bytes;
    std::vector<std::string> lines;  // kTooLong for a line reported as too long
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Row kRows[] = {
    {"lfAndCrLf", "a\r\nb\nc\r\n", {"a", "b", "c"}},
    {"lastLineWithoutEnd", "a\nb", {"a", "b"}},
    {"byteOrderMarkOnLineOneOnly", "\xEF\xBB\xBF" "a\n\xEF\xBB\xBF" "b\n", {"a", "\xEF\xBB\xBF" "b"}},
    {"emptyLinesCount", "\n\r\nx", {"", "", "x"}},
    {"loneCrStays", "a\rb\n", {"a\rb"}},
    {"nothing", "", {}},
    {"longestLine", std::string(kMax, 'x') + "\r\nok", {std::string(kMax, 'x'), "ok"}},
    {"oneByteTooLong", std::string(kMax + 1, 'x') + "\nok", {kTooLong, "ok"}},
    {"farTooLongWithoutEnd", std::string(5 * kMax, 'x'), {kTooLong}},
    {"farTooLongThenRows", "a\n" + std::string(3 * kMax + 7, 'x') + "\nb\n", {"a", kTooLong, "b"}},
};

class LineReaderRows : public testing::TestWithParam<Row> {};

TEST_P(LineReaderRows, SplitsLines)
{
    const Row& row = GetParam();
    // A named file in the temporary folder: tmpfile() on Windows may want the drive's root.
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zelvamirontica_line_reader_" + row.name);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << row.bytes;
        ASSERT_TRUE(out.good());
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.string().c_str(), "rb"),
                                                              &std::fclose);
    ASSERT_TRUE(file);

    LineReader reader(file.get());
    std::vector<std::string> lines;
    while (const std::optional<Line> line = reader.next()) {
        EXPECT_EQ(line->number, static_cast<long>(lines.size() + 1));
        lines.push_back(line->tooLong ? kTooLong : std::string(line->text));
    }
    EXPECT_EQ(reader.readError(), 0);
    EXPECT_EQ(lines, row.lines);
    file.reset();
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

INSTANTIATE_TEST_SUITE_P(Rows, LineReaderRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace zelva::batch
