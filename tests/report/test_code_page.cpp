// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include <gtest/gtest.h>

#include "report/code_page.h"

namespace zelva {
namespace {

struct EncodeRow {
    const char* name;
    std::string utf8;
    std::string expected;
};

class ToWindows1252 : public ::testing::TestWithParam<EncodeRow> {};

TEST_P(ToWindows1252, Encodes)
{
    EXPECT_EQ(toWindows1252(GetParam().utf8), GetParam().expected);
}

const EncodeRow kEncodeRows[] = {
    {"ascii_unchanged", " VELOCITA' Km/h -> 8,3", " VELOCITA' Km/h -> 8,3"},
    {"euro", "\u20AC", "\x80"},
    {"a_grave", "velocit\u00E0", "velocit\xE0"},
    {"degree_sign", "45\u00B0", "45\xB0"},
    {"y_diaeresis_last_of_latin1", "\u00FF", "\xFF"},
    {"right_quote_in_high_block", "\u2019", "\x92"},
    {"capital_y_diaeresis_end_of_high_block", "\u0178", "\x9F"},
    {"undefined_byte_round_trips", "\u0081", "\x81"},
    {"c1_control_without_byte", "\u0080", "?"},
    {"cjk_ideograph", "\u4E2D", "?"},
    {"emoji_four_bytes", "a\U0001F600b", "a?b"},
    {"latin_extended_not_in_page", "\u0101", "?"},
    {"lone_continuation_byte", "a\x80" "b", "a?b"},
    {"truncated_sequence_each_byte", "\xE2\x82", "??"},
    {"overlong_slash", "\xC0\xAF", "??"},
    // An overlong a grave would come out as the page's own \xE0 if let through.
    {"overlong_three_byte_a_grave", "\xE0\x83\xA0", "???"},
    {"encoded_surrogate", "\xED\xA0\x80", "???"},
    {"beyond_unicode", "\xF4\x90\x80\x80", "????"},
    {"nul_kept", std::string("a\0b", 3), std::string("a\0b", 3)},
};

INSTANTIATE_TEST_SUITE_P(Text, ToWindows1252, ::testing::ValuesIn(kEncodeRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelva
