// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/input_kind.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string_view>

namespace zelva::batch {
namespace {

using namespace std::string_view_literals;

struct Row {
    std::string_view name;
    std::string_view bytes;
    bool complete;
    std::optional<TextEncoding> encoding;  // nullopt: not yet known
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Row kRows[] = {
    {"littleEndianMark", "\xFF\xFE$\0"sv, false, TextEncoding::Utf16Le},
    {"bigEndianMark", "\xFE\xFF\0<"sv, false, TextEncoding::Utf16Be},
    {"littleEndianUnmarked", "4\0005\0;\0009\0;\0001\0000\0;\0"sv, false, TextEncoding::Utf16Le},
    {"bigEndianUnmarkedXml", "\0<\0?\0x\0m\0l\0 \0v\0e"sv, false, TextEncoding::Utf16Be},
    {"unmarkedTooShortToTell", "4\0005\0;\0"sv, false, std::nullopt},
    {"unmarkedShortAndEnded", "4\0005\0;\0"sv, true, TextEncoding::Utf8},
    // A serial capture's NULs before its first sentence are no UTF-16.
    {"nulRunBeforeDollar", "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0$GPGGA,"sv, false, TextEncoding::Utf8},
    {"plainText", "45;9;10;15;30\n"sv, false, TextEncoding::Utf8},
    {"utf8Mark", "\xEF\xBB\xBF<gpx"sv, false, TextEncoding::Utf8},
    {"nothingYet", ""sv, false, std::nullopt},
};

class EncodingRows : public testing::TestWithParam<Row> {};

TEST_P(EncodingRows, Detects)
{
    const Row& row = GetParam();
    EXPECT_EQ(detectEncoding(row.bytes, row.complete), row.encoding);
}

INSTANTIATE_TEST_SUITE_P(Rows, EncodingRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelva::batch
