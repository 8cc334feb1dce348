// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/plain_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <regex>
#include <string>

namespace zelva::batch {
namespace {

// What the fast reading must give: from_chars's nearest double for a plain
// decimal, nothing for any other text.
std::optional<double> reference(const std::string& text)
{
    static const std::regex kPlain("-?[0-9]+(\\.[0-9]+)?");
    if (!std::regex_match(text, kPlain))
        return std::nullopt;
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return value;
}

void expectSame(const std::string& text)
{
    const std::optional<double> expected = reference(text), got = plainDecimal(text);
    ASSERT_EQ(expected.has_value(), got.has_value()) << '"' << text << '"';
    if (expected) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*expected), std::bit_cast<std::uint64_t>(*got)) << '"' << text << '"';
    }
}

struct Row {
    const char* name;
    const char* text;
};

class PlainDecimalTest : public testing::TestWithParam<Row> {};

TEST_P(PlainDecimalTest, roundsAsFromChars) { expectSame(GetParam().text); }

// Where the quick division stops being exact, and the shapes that are no decimal.
INSTANTIATE_TEST_SUITE_P(Rows, PlainDecimalTest, testing::Values(
    Row{"nmeaMinutes", "4530.0010"}, Row{"negativeZero", "-0.0"}, Row{"leadingZeros", "0000000000000000000000.5"},
    Row{"twoToThe53", "9007199254740992"}, Row{"twoToThe53PlusOne", "9007199254740993"},
    Row{"nineteenDigits", "1234567890.123456789"}, Row{"twentyDigits", "12345678901.123456789"},
    Row{"twentyTwoPlaces", "0.0000000000000000000001"}, Row{"twentyThreePlaces", "0.00000000000000000000017"},
    Row{"halfwayCase", "9007199254740993.0"}, Row{"empty", ""}, Row{"minusAlone", "-"}, Row{"pointFirst", ".5"},
    Row{"pointLast", "12."}, Row{"plusSign", "+1"}, Row{"exponent", "1e5"}, Row{"twoPoints", "1.2.3"},
    Row{"blank", " 1"}, Row{"infinity", "inf"}),
    [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// Random decimals of every length around the limits, and random junk of the
// same characters.
TEST(PlainDecimal, randomTextsRoundAsFromChars)
{
    std::mt19937_64 random(20261209);
    const std::string alphabet = "0123456789012345678901234567890123456789.-";
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        if (random() % 4 == 0) {
            const std::size_t length = random() % 12;
            for (std::size_t k = 0; k < length; ++k)
                text += alphabet[random() % alphabet.size()];
        } else {
            if (random() % 3 == 0)
                text += '-';
            const std::size_t whole = 1 + random() % 20, places = random() % 26;
            for (std::size_t k = 0; k < whole; ++k)
                text += static_cast<char>('0' + random() % 10);
            if (places) {
                text += '.';
                for (std::size_t k = 0; k < places; ++k)
                    text += static_cast<char>('0' + random() % 10);
            }
        }
        expectSame(text);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
} // namespace zelva::batch
