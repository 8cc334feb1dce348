// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace zelva::batch {
namespace {

constexpr std::size_t kMax = LineReader::kMaxLine;
const std::string kTooLong = "(too long)";

// A UBX frame around the payload, with its checksum right or off by one.
std::string ubxFrame(const std::string& payload, bool rightSum = true)
{
    std::string frame = "\xB5\x62\x01\x07";
    frame += static_cast<char>(payload.size() & 0xFF);
    frame += static_cast<char>(payload.size() >> 8);
    frame += payload;
    unsigned a = 0, b = 0;
    for (std::size_t i = 2; i < frame.size(); ++i) {
        a = (a + static_cast<unsigned char>(frame[i])) & 0xFF;
        b = (b + a) & 0xFF;
    }
    frame += static_cast<char>(a + (rightSum ? 0 : 1));
    frame += static_cast<char>(b);
    return frame;
}

// Gives the bytes in reads of at most `piece` bytes, then the end or an error.
LineReader::Source pieces(const std::string& bytes, std::size_t piece, int errorAtEnd = 0)
{
    return [bytes, piece, errorAtEnd, at = std::size_t{0}](char* buffer, std::size_t capacity) mutable {
        if (at == bytes.size())
            return ReadResult{0, errorAtEnd, false};
        const std::size_t size = std::min({piece, capacity, bytes.size() - at});
        std::memcpy(buffer, bytes.data() + at, size);
        at += size;
        return ReadResult{size, 0, false};
    };
}

struct Row {
    std::string name;
    std::string bytes;
    std::vector<std::string> lines;  // kTooLong for a line reported as too long
    std::vector<long> numbers = {};  // when not 1, 2, 3...
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Row kRows[] = {
    {"lfAndCrLf", "a\r\nb\nc\r\n", {"a", "b", "c"}},
    {"lastLineWithoutEnd", "a\nb", {"a", "b"}},
    {"byteOrderMarkOnLineOneOnly", "\xEF\xBB\xBF" "a\n\xEF\xBB\xBF" "b\n", {"a", "\xEF\xBB\xBF" "b"}},
    {"emptyLinesCount", "\n\r\n\r\rx", {"", "", "", "", "x"}},
    {"crOnlyEnds", "a\rb\rc", {"a", "b", "c"}},
    {"crThenLfIsOneEnd", "a\r\n\nb\r", {"a", "", "b"}},
    {"nothing", "", {}},
    {"longestLine", std::string(kMax, 'x') + "\r\nok", {std::string(kMax, 'x'), "ok"}},
    {"oneByteTooLong", std::string(kMax + 1, 'x') + "\nok", {kTooLong, "ok"}},
    {"farTooLongWithoutEnd", std::string(5 * kMax, 'x'), {kTooLong}},
    {"farTooLongThenRows", "a\n" + std::string(3 * kMax + 7, 'x') + "\rb\n", {"a", kTooLong, "b"}},
    // The frame's LF still counts, as grep -n counts it.
    {"ubxFramesBetweenLines", "$A\r\n" + ubxFrame("x\ny") + ubxFrame("") + "$B\r\n", {"$A", "$B"}, {1, 3}},
    {"ubxWithWrongSumIsText", ubxFrame("xy", false) + "\n", {ubxFrame("xy", false)}},
    {"ubxCutByTheEnd", "$A\n\xB5\x62\x01\x07\x10", {"$A", "\xB5\x62\x01\x07\x10"}},
};

class LineReaderRows : public testing::TestWithParam<Row> {};

// Whole, and one byte per read as a slow pipe gives them: the same lines.
TEST_P(LineReaderRows, SplitsLines)
{
    const Row& row = GetParam();
    for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1}}) {
        SCOPED_TRACE(piece);
        LineReader reader(pieces(row.bytes, piece));
        std::vector<std::string> lines;
        std::vector<long> numbers;
        while (const std::optional<Line> line = reader.next()) {
            numbers.push_back(line->number);
            lines.push_back(line->tooLong ? kTooLong : std::string(line->text));
        }
        EXPECT_EQ(reader.readError(), 0);
        EXPECT_EQ(lines, row.lines);
        if (!row.numbers.empty())
            EXPECT_EQ(numbers, row.numbers);
        else
            for (std::size_t i = 0; i < numbers.size(); ++i)
                EXPECT_EQ(numbers[i], static_cast<long>(i + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LineReaderRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return info.param.name; });

// A live source: the line that has arrived is given out without waiting for
// the next read, which would block until the receiver sends more.
TEST(LineReader, givesALineWithoutReadingFurther)
{
    int reads = 0;
    LineReader reader([&](char* buffer, std::size_t) {
        ++reads;
        std::memcpy(buffer, "a\r", 2);  // the LF of this CR LF has not come yet
        return ReadResult{2, 0, false};
    });
    ASSERT_EQ(reader.next()->text, "a");
    EXPECT_EQ(reads, 1);
}

// The fault: a failed read dropped the whole lines already in the buffer.
TEST(LineReader, readErrorKeepsWholeLinesAndDropsTheCutOne)
{
    LineReader reader(pieces("a\nb\nc", 1 << 20, EIO));
    std::vector<std::string> lines;
    while (const std::optional<Line> line = reader.next())
        lines.emplace_back(line->text);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(reader.readError(), EIO);
}

} // namespace
} // namespace zelva::batch
