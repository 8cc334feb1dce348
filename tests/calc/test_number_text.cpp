// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "calc/decimal_separator.h"
#include "tests/support/memory_field_table.h"
#include "calc/number_text.h"
#include "tests/test_formats.h"

namespace zelva {
namespace {

using namespace test;

struct ReadRow {
    const char* name;
    NumberFormat format;
    std::string text;
    std::optional<double> expected;
};

class TextToNumber : public ::testing::TestWithParam<ReadRow> {};

TEST_P(TextToNumber, ReadsOrRefuses)
{
    const ReadRow& row = GetParam();
    const std::optional<double> got = textToNumber(row.text, row.format);
    ASSERT_EQ(got.has_value(), row.expected.has_value()) << '"' << row.text << '"';
    if (row.expected) {
        EXPECT_EQ(*got, *row.expected) << '"' << row.text << '"';
        EXPECT_EQ(std::signbit(*got), std::signbit(*row.expected)) << '"' << row.text << '"';
    }
}

const ReadRow kReadRows[] = {
    {"comma_fraction", kComma, "1,5", 1.5},
    {"point_fraction", kPoint, "1.5", 1.5},
    {"comma_group_point_misread_as_fifteen", kComma, "1.5", 15.0},
    {"point_group_comma_misread_as_fifteen", kPoint, "1,5", 15.0},
    {"comma_minus_fraction", kComma, "-3,5", -3.5},
    {"comma_exponent", kComma, "1E3", 1000.0},
    {"lower_case_exponent_with_sign", kComma, "2,5e-3", 0.0025},
    {"exponent_plus_sign", kPoint, "1.5E+15", 1.5e15},
    {"blanks_around", kComma, "  12,25 \t", 12.25},
    {"plus_sign", kPoint, "+7", 7.0},
    {"leading_separator", kComma, ",5", 0.5},
    {"trailing_separator", kComma, "5,", 5.0},
    {"grouped_integer", kComma, "1.234.567,5", 1234567.5},
    {"point_grouped_integer", kPoint, "1,234,567.5", 1234567.5},
    {"nearest_double_of_tenth", kPoint, "0.1", 0.1},
    {"nearest_double_many_digits", kPoint, "3.14159265358979323846264338327950288", 3.141592653589793},
    {"long_zero_run", kPoint, "0.000000000000000000000000000000000000000000000000000000000001",
     1e-60},
    {"largest_double", kPoint, "1.7976931348623157E+308", std::numeric_limits<double>::max()},
    {"smallest_subnormal", kPoint, "4.9406564584124654E-324", std::numeric_limits<double>::denorm_min()},
    {"underflow_is_zero", kPoint, "1E-400", 0.0},
    {"negative_underflow_is_negative_zero", kPoint, "-1E-400", -0.0},
    {"zero_mantissa_huge_exponent", kPoint, "0E999", 0.0},
    {"negative_zero", kComma, "-0", -0.0},
    {"unicode_minus", kComma, "\u22123,5", -3.5},
    {"unicode_minus_in_exponent", kComma, "1E\u22122", 0.01},
    {"narrow_no_break_space_group", kFrench, "1\u202F000,5", 1000.5},
    {"plain_space_for_no_break_group", kFrench, "1 000,5", 1000.5},
    {"no_break_space_group", NumberFormat{",", "\u00A0"}, "12\u00A0345", 12345.0},
    {"apostrophe_group", kSwiss, "1\u2019000.25", 1000.25},

    {"empty", kComma, "", std::nullopt},
    {"single_blank", kComma, " ", std::nullopt},
    {"blanks_only", kPoint, " \t ", std::nullopt},
    {"letters", kComma, "abc", std::nullopt},
    {"trailing_letter", kComma, "12a", std::nullopt},
    {"second_decimal_separator", kComma, "1,2,3", std::nullopt},
    {"group_after_decimal_separator", kComma, "1,234.5", std::nullopt},
    {"group_at_start", kComma, ".5", std::nullopt},
    {"group_at_end", kComma, "1.", std::nullopt},
    {"doubled_group", kComma, "1..5", std::nullopt},
    {"other_separator_under_point", kPoint, "1,5,", std::nullopt},
    {"sign_only", kComma, "-", std::nullopt},
    {"separator_only", kComma, ",", std::nullopt},
    {"double_sign", kComma, "--1", std::nullopt},
    {"blank_after_sign", kComma, "- 1", std::nullopt},
    {"blank_inside", kComma, "1 2", std::nullopt},
    {"exponent_without_digits", kComma, "1E", std::nullopt},
    {"exponent_sign_without_digits", kComma, "1E+", std::nullopt},
    {"exponent_without_mantissa", kComma, "E5", std::nullopt},
    {"infinity_word", kPoint, "inf", std::nullopt},
    {"nan_word", kPoint, "nan", std::nullopt},
    {"hexadecimal", kPoint, "0x10", std::nullopt},
    {"overflow", kPoint, "1E+309", std::nullopt},
    {"overflow_by_digits", kPoint, std::string(400, '9'), std::nullopt},
    {"negative_overflow", kComma, "-2E308", std::nullopt},
    {"plain_space_not_a_group_under_comma", kComma, "1 000", std::nullopt},
    // Regression: the exponent was counted only up to 100000, so texts of about
    // 100 kB read as the wrong number instead of their true magnitude.
    {"long_fraction_then_huge_exponent_overflows", kComma,
     "0," + std::string(99'999, '0') + "1e1000000", std::nullopt},
    {"million_zeros_then_exponent_still_overflows", kPoint,
     "0." + std::string(1'000'000, '0') + "1e1000400", std::nullopt},
    {"million_digit_integer_with_exponent_underflows_to_zero", kPoint,
     "1" + std::string(1'000'000, '0') + "e-1000400", 0.0},
};

INSTANTIATE_TEST_SUITE_P(Rows, TextToNumber, ::testing::ValuesIn(kReadRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextToNumber, ShortCutAgreesWithFromCharsOnRandomTexts)
{
    // Guards the exact short cut for short decimals against a rounding slip:
    // every text must read as the nearest double, which from_chars gives.
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 22);
        std::string ascii;
        for (int d = 0; d < digits; ++d)
            ascii.push_back(static_cast<char>('0' + random() % 10));
        const auto point = random() % (ascii.size() + 1);
        std::string cell = ascii;
        // Characters, not strings, go in and on: GCC 12 at -O3 warns falsely
        // (-Wrestrict) on the string forms here.
        if (point < ascii.size()) {
            ascii.insert(ascii.begin() + static_cast<std::ptrdiff_t>(point), '.');
            cell.insert(cell.begin() + static_cast<std::ptrdiff_t>(point), ',');
        }
        if (random() % 3 == 0) {
            std::string exponent(1, 'e');
            exponent += std::to_string(static_cast<int>(random() % 61) - 30);
            ascii += exponent;
            cell += exponent;
        }
        double expected = 0;
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), expected);
        const auto got = textToNumber(cell, kComma);
        ASSERT_TRUE(got.has_value()) << cell;
        ASSERT_EQ(*got, expected) << cell;
    }
}

struct WriteRow {
    const char* name;
    double value;
    const char* comma;
    const char* point;
};

class NumberToText : public ::testing::TestWithParam<WriteRow> {};

TEST_P(NumberToText, WritesUnderBothSeparators)
{
    const WriteRow& row = GetParam();
    EXPECT_EQ(numberToText(row.value, kComma), row.comma);
    EXPECT_EQ(numberToText(row.value, kPoint), row.point);
}

const WriteRow kWriteRows[] = {
    {"one_and_a_half", 1.5, "1,5", "1.5"},
    {"tenth_plus_fifth", 0.1 + 0.2, "0,3", "0.3"},
    {"two_thirds", 2.0 / 3.0, "0,666666666666667", "0.666666666666667"},
    {"half", 0.5, "0,5", "0.5"},
    {"minus_half", -0.5, "-0,5", "-0.5"},
    {"ten", 10.0, "10", "10"},
    {"zero", 0.0, "0", "0"},
    {"negative_zero", -0.0, "0", "0"},
    {"smallest_plain", 0.0001, "0,0001", "0.0001"},
    {"largest_exponent_small", 0.00001, "1E-05", "1E-05"},
    {"exponent_small_fraction", 0.000015, "1,5E-05", "1.5E-05"},
    {"fifteen_digit_integer", 123456789012345.0, "123456789012345", "123456789012345"},
    {"ten_to_fifteen", 1e15, "1E+15", "1E+15"},
    {"sixteen_digit_integer", 1234567890123456.0, "1,23456789012346E+15", "1.23456789012346E+15"},
    {"rounding_carries_into_exponent_form", 999999999999999.5, "1E+15", "1E+15"},
    {"rounding_carries_into_plain_form", std::nextafter(0.0001, 0.0), "0,0001", "0.0001"},
    {"sixteenth_digit_rounds_up", 123456789012345.6, "123456789012346", "123456789012346"},
    {"trailing_zeros_dropped", 100.25, "100,25", "100.25"},
    {"three_digit_exponent", 1e100, "1E+100", "1E+100"},
    {"largest_double", std::numeric_limits<double>::max(), "1,79769313486232E+308",
     "1.79769313486232E+308"},
    {"smallest_subnormal", std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324",
     "4.94065645841247E-324"},
    {"negative_exponent_form", -2.5e-7, "-2,5E-07", "-2.5E-07"},
    {"integer_with_zeros", 36930.0, "36930", "36930"},
};

INSTANTIATE_TEST_SUITE_P(Rows, NumberToText, ::testing::ValuesIn(kWriteRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberToText, MultiByteSeparatorIsWrittenWhole)
{
    EXPECT_EQ(numberToText(1.5, kArabic), "1\u066B5");
}

TEST(NumberText, FifteenDigitTextsReadBackToTheSameText)
{
    // A result copied from one cell into another must not drift.
    for (double value : {136.578403600813, 2.0 / 3.0, 1e-5 / 3.0, 6371.0 * 1.5707963, 1e20 / 7.0}) {
        const std::string text = numberToText(value, kComma);
        const auto back = textToNumber(text, kComma);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(numberToText(*back, kComma), text);
    }
}

struct SeparatorRow {
    const char* name;
    NumberFormat format;
    DecimalSeparator expected;
};

class DetectDecimalSeparator : public ::testing::TestWithParam<SeparatorRow> {};

TEST_P(DetectDecimalSeparator, JudgesBySecondCharacter)
{
    EXPECT_EQ(detectDecimalSeparator(GetParam().format), GetParam().expected);
}

const SeparatorRow kSeparatorRows[] = {
    {"comma", kComma, DecimalSeparator::Comma},
    {"point", kPoint, DecimalSeparator::Point},
    {"arabic_decimal_separator", kArabic, DecimalSeparator::Neither},
    {"middle_dot", NumberFormat{"\u00B7", " "}, DecimalSeparator::Neither},
    {"no_separator", NumberFormat{"", ""}, DecimalSeparator::Neither},
};

INSTANTIATE_TEST_SUITE_P(Rows, DetectDecimalSeparator, ::testing::ValuesIn(kSeparatorRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CellNamed, KnowsExactlyTheTwentyNineNames)
{
    for (int n = 1; n <= kCellCount; ++n) {
        const std::string name = "Text" + std::to_string(n);
        const auto cell = cellNamed(name);
        ASSERT_TRUE(cell.has_value()) << name;
        EXPECT_EQ(controlName(*cell), name);
    }
    for (const char* bad : {"Text0", "Text30", "Text07", "text1", "Text", "Text1 ", " Text1", "Text+1", "Label1", ""})
        EXPECT_FALSE(cellNamed(bad).has_value()) << bad;
}

TEST(MemoryFieldTable, KeepsTextExactlyInItsOwnCell)
{
    MemoryFieldTable table;
    EXPECT_EQ(table.readCell(Cell::Longitude2Seconds), "");
    table.writeCell(Cell::Seconds1, "  Velocit\u00E0 ,.  ");
    EXPECT_EQ(table.readCell(Cell::Seconds1), "  Velocit\u00E0 ,.  ");
    EXPECT_EQ(table.readCell(Cell::Seconds2), "");
}

} // namespace
} // namespace zelva
