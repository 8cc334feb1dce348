// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "calc/message_box.h"
#include "calc/decimal_separator.h"

namespace zelva {
namespace {

constexpr std::string_view kVirgola = "Utilizzare la VIRGOLA come separatore decimale";
constexpr std::string_view kPunto = "Utilizzare il PUNTO come separatore decimale";

struct HintRow {
    const char* name;
    DecimalSeparator detected;
    std::optional<std::pair<std::string_view, std::string_view>> expected;  // top, bottom
};

class SeparatorHintFor : public ::testing::TestWithParam<HintRow> {};

TEST_P(SeparatorHintFor, Captions)
{
    const HintRow& row = GetParam();
    const std::optional<SeparatorHint> hint = separatorHint(row.detected);
    ASSERT_EQ(hint.has_value(), row.expected.has_value());
    if (hint) {
        EXPECT_EQ(hint->top, row.expected->first);
        EXPECT_EQ(hint->bottom, row.expected->second);
    }
}

const HintRow kHintRows[] = {
    {"comma", DecimalSeparator::Comma,
     std::pair{"Utilizzare la VIRGOLA", "come separatore decimale"}},
    {"point", DecimalSeparator::Point,
     std::pair{"Utilizzare il PUNTO", "come separatore decimale"}},
    {"neither_keeps_the_captions", DecimalSeparator::Neither, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, SeparatorHintFor, ::testing::ValuesIn(kHintRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct WarningRow {
    const char* name;
    DecimalSeparator detected;
    char16_t code;
    std::optional<std::string_view> expected;
};

class SeparatorWarningFor : public ::testing::TestWithParam<WarningRow> {};

TEST_P(SeparatorWarningFor, TypedCharacter)
{
    const WarningRow& row = GetParam();
    EXPECT_EQ(separatorWarning(row.detected, row.code), row.expected);
}

const WarningRow kWarningRows[] = {
    {"comma_expected_point_warns", DecimalSeparator::Comma, u'.', kVirgola},
    {"comma_expected_comma_passes", DecimalSeparator::Comma, u',', std::nullopt},
    {"point_expected_comma_warns", DecimalSeparator::Point, u',', kPunto},
    {"point_expected_point_passes", DecimalSeparator::Point, u'.', std::nullopt},
    {"neither_expects_the_point_comma_warns", DecimalSeparator::Neither, u',', kPunto},
    {"neither_point_passes", DecimalSeparator::Neither, u'.', std::nullopt},
    {"comma_digit_passes", DecimalSeparator::Comma, u'5', std::nullopt},
    {"point_backspace_passes", DecimalSeparator::Point, u'\b', std::nullopt},
    {"point_fullwidth_comma_passes", DecimalSeparator::Point, u'\uFF0C', std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, SeparatorWarningFor, ::testing::ValuesIn(kWarningRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExitRow {
    const char* name;
    MessageAnswer answer;
    bool leaves;
};

class ConfirmExit : public ::testing::TestWithParam<ExitRow> {};

TEST_P(ConfirmExit, AsksOnceAndLeavesOnlyOnOk)
{
    std::vector<std::pair<std::string, MessageStyle>> asked;
    const bool leaves = confirmExit([&](std::string_view prompt, MessageStyle style) {
        asked.emplace_back(prompt, style);
        return GetParam().answer;
    });
    EXPECT_EQ(leaves, GetParam().leaves);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, "Uscire dal progamma");
    EXPECT_EQ(asked[0].second, MessageStyle::OkCancelQuestion);
}

const ExitRow kExitRows[] = {
    {"ok_leaves", MessageAnswer::Ok, true},
    {"cancel_stays", MessageAnswer::Cancel, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, ConfirmExit, ::testing::ValuesIn(kExitRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelva
