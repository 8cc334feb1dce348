// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/line_splitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace zelva::batch {
namespace {

constexpr std::size_t kMax = LineSplitter::kMaxLine;
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

// The lines of the bytes fed in pieces of at most `piece` bytes, then ended.
std::vector<Line> split(LineSplitter& splitter, const std::string& bytes, std::size_t piece, bool cut,
                        std::vector<std::string>& texts)
{
    std::vector<Line> lines;
    const auto take = [&] {
        while (const std::optional<Line> line = splitter.next()) {
            lines.push_back(*line);
            texts.push_back(line->tooLong ? kTooLong : std::string(line->text));
        }
    };
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        splitter.feed(std::string_view(bytes).substr(at, piece));
        take();
    }
    splitter.finish(cut);
    take();
    return lines;
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
    {"emptyLinesCount", "\n\r\n\n\nx", {"", "", "", "", "x"}},
    {"crOnlyEnds", "a\rb\rc", {"a", "b", "c"}},
    {"crOnlyKeepsLfInItsLine", "a\rb\nc\r", {"a", "b\nc"}},
    // The fault: a lone CR inside a line of an LF file ended a line, so every
    // line after it was numbered one too far.
    {"loneCrInsideAnLfLine", "a\nb\rc\nd\n", {"a", "b\rc", "d"}},
    {"loneCrInsideACrLfLine", "a\r\nb\rc\r\nd", {"a", "b\rc", "d"}},
    {"crsBeforeLfAreLineEnd", "a\r\r\nb\n", {"a", "b"}},
    {"nothing", "", {}},
    {"longestLine", std::string(kMax, 'x') + "\r\nok", {std::string(kMax, 'x'), "ok"}},
    {"oneByteTooLong", std::string(kMax + 1, 'x') + "\nok", {kTooLong, "ok"}},
    {"farTooLongWithoutEnd", std::string(5 * kMax, 'x'), {kTooLong}},
    // The fault: the CRs inside a long line of junk counted as lines.
    {"farTooLongWithCrsThenRows", "a\n" + std::string(3 * kMax, 'x') + "\r" + std::string(kMax, 'y') + "\nb\n",
     {"a", kTooLong, "b"}},
    // The frame's LFs still count, as grep -n counts them.
    {"ubxFramesBetweenLines", "$A\r\n" + ubxFrame("x\ny\r") + ubxFrame("") + "$B\r\n", {"$A", "$B"}, {1, 3}},
    {"ubxWithWrongSumIsText", ubxFrame("xy", false) + "\n", {ubxFrame("xy", false)}},
    {"ubxCutByTheEnd", "$A\n\xB5\x62\x01\x07\x10", {"$A", "\xB5\x62\x01\x07\x10"}},
};

class LineSplitterRows : public testing::TestWithParam<Row> {};

// Whole, and one byte per read as a slow pipe gives them: the same lines.
TEST_P(LineSplitterRows, SplitsLines)
{
    const Row& row = GetParam();
    for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1}}) {
        SCOPED_TRACE(piece);
        LineSplitter splitter;
        std::vector<std::string> texts;
        std::vector<long> numbers;
        for (const Line& line : split(splitter, row.bytes, piece, false, texts))
            numbers.push_back(line.number);
        EXPECT_EQ(texts, row.lines);
        if (!row.numbers.empty())
            EXPECT_EQ(numbers, row.numbers);
        else
            for (std::size_t i = 0; i < numbers.size(); ++i)
                EXPECT_EQ(numbers[i], static_cast<long>(i + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LineSplitterRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return info.param.name; });

// A live source: the first line is given as soon as its CR has come, without
// waiting for the LF that would tell a CR LF, which may not come for a while.
TEST(LineSplitter, givesTheFirstLineWithoutWaitingForItsLf)
{
    LineSplitter splitter;
    splitter.feed("a\r");
    ASSERT_EQ(splitter.next()->text, "a");
    splitter.feed("\nb\rc\n");
    const std::optional<Line> second = splitter.next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->text, "b\rc");
    EXPECT_EQ(second->number, 2);
}

// The fault: a failed read dropped the whole lines already in the buffer.
TEST(LineSplitter, aCutInputKeepsWholeLinesAndDropsTheCutOne)
{
    LineSplitter splitter;
    std::vector<std::string> texts;
    split(splitter, "a\nb\nc", 1 << 20, true, texts);
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "b"}));
}

} // namespace
} // namespace zelva::batch
