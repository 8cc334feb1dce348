// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of one line: the first N kept as views into it, and all of them
// counted, so that a line with too many fields is told apart without storing
// them. Never throws.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace zelva::batch {

template <std::size_t N>
struct Fields {
    static constexpr std::size_t capacity = N;
    std::array<std::string_view, N> at{};
    std::size_t count = 0;  // every field, kept or not

    std::size_t kept() const { return std::min(count, N); }
    void add(std::string_view field)
    {
        if (count < N)
            at[count] = field;
        ++count;
    }
    // Empty past the last field.
    std::string_view operator[](std::size_t i) const { return i < kept() ? at[i] : std::string_view(); }
};

// The blanks between and around fields: spaces and tabs.
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Which bytes of note a line holds, in one branch-free pass, as every line is
// looked at so: control characters (tab aside), '$', and the table's ';', ','
// and '"'.
enum LineBits : unsigned { kControlByte = 1, kDollar = 2, kSemicolon = 4, kComma = 8, kQuote = 16 };

inline unsigned lineBits(std::string_view line)
{
    static constexpr auto kBits = [] {
        std::array<unsigned char, 256> table{};
        for (int c = 0; c < 0x20; ++c)
            table[c] = static_cast<unsigned char>(c == '\t' ? 0u : unsigned{kControlByte});
        table[0x7F] = kControlByte;
        table['$'] = kDollar;
        table[';'] = kSemicolon;
        table[','] = kComma;
        table['"'] = kQuote;
        return table;
    }();
    unsigned bits = 0;
    for (const char c : line)
        bits |= kBits[static_cast<unsigned char>(c)];
    return bits;
}

// The text between separators, as it stands.
template <std::size_t N>
Fields<N> splitAt(std::string_view line, char separator)
{
    Fields<N> fields;
    for (;;) {
        const std::size_t at = line.find(separator);
        fields.add(line.substr(0, at));
        if (at == std::string_view::npos)
            return fields;
        line.remove_prefix(at + 1);
    }
}

} // namespace zelva::batch
