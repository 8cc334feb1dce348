// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/fields.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zelva::batch {
namespace {

// Lines read eight bytes at a time against the same lines byte by byte: every
// length around a word, separators and look-alikes ('-' is ',' + 1, which a
// looser test for a zero byte takes for a match) anywhere, control bytes and
// bytes above 0x7F among them.
TEST(Fields, wordAtATimeMatchesByteByByte)
{
    std::mt19937 random(8122026);
    const std::string alphabet = ",,,--+$;\"\t\x01\x1F\x7F\x80\xFF" "aZ09 .*";
    for (int i = 0; i < 50000; ++i) {
        std::string line;
        const std::size_t length = random() % 40;
        for (std::size_t k = 0; k < length; ++k)
            line += alphabet[random() % alphabet.size()];

        unsigned bits = 0;
        std::vector<std::string_view> fields;
        std::size_t start = 0;
        for (std::size_t k = 0; k < line.size(); ++k) {
            const auto c = static_cast<unsigned char>(line[k]);
            bits |= ((c < 0x20 && c != '\t') || c == 0x7F ? unsigned{kControlByte} : 0u)
                  | (c == '$' ? unsigned{kDollar} : 0u) | (c == ';' ? unsigned{kSemicolon} : 0u)
                  | (c == ',' ? unsigned{kComma} : 0u) | (c == '"' ? unsigned{kQuote} : 0u);
            if (c == ',') {
                fields.push_back(std::string_view(line).substr(start, k - start));
                start = k + 1;
            }
        }
        fields.push_back(std::string_view(line).substr(start));

        ASSERT_EQ(lineBits(line), bits) << testing::PrintToString(line);
        const Fields<8> split = splitAt<8>(line, ',');
        ASSERT_EQ(split.count, fields.size()) << testing::PrintToString(line);
        for (std::size_t k = 0; k < split.kept(); ++k)
            ASSERT_EQ(split[k], fields[k]) << testing::PrintToString(line) << " field " << k;
    }
}

} // namespace
} // namespace zelva::batch
