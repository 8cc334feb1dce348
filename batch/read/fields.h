// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of one line: the first N kept as views into it, and all of them
// counted, so that a line with too many fields is told apart without storing
// them. Never throws.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// ASCII letters of text in any case against a lower-case name.
inline bool equalsIgnoringCase(std::string_view text, std::string_view lower)
{
    return text.size() == lower.size() && std::equal(text.begin(), text.end(), lower.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
           });
}

// 0x80 in each byte of x that is zero, and nothing elsewhere: no carry runs
// from one byte into the next, so every match is exact.
inline std::uint64_t zeroBytes(std::uint64_t x)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Which bytes of note a line holds, as every line is looked at so: control
// characters (tab aside), '$', and the table's ';', ',' and '"'. Eight bytes
// at a time say whether any is there; only a line with a control byte is
// looked at again byte by byte.
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
    // Whether x holds a byte below n (n up to 0x80), or a byte c: exact for
    // "any", which is all that is asked.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = kOnes * 0x80;
    constexpr auto below = [](std::uint64_t x, unsigned n) { return (x - kOnes * n) & ~x & kHigh; };
    constexpr auto holds = [below](std::uint64_t x, unsigned char c) { return below(x ^ (kOnes * c), 1); };

    const char* const data = line.data();
    const std::size_t size = line.size();
    std::uint64_t control = 0, dollar = 0, semicolon = 0, comma = 0, quote = 0;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t x;
        std::memcpy(&x, data + i, sizeof x);
        // A tab's byte raised to 0x29 is no control byte; zeroBytes marks
        // each tab alone, so no other byte moves.
        control |= below(x | (zeroBytes(x ^ (kOnes * '\t')) >> 2), 0x20) | holds(x, 0x7F);
        dollar |= holds(x, '$');
        semicolon |= holds(x, ';');
        comma |= holds(x, ',');
        quote |= holds(x, '"');
    }
    unsigned bits = (dollar ? unsigned{kDollar} : 0u) | (semicolon ? unsigned{kSemicolon} : 0u)
                  | (comma ? unsigned{kComma} : 0u) | (quote ? unsigned{kQuote} : 0u);
    for (std::size_t k = control ? 0 : i; k < size; ++k)
        bits |= kBits[static_cast<unsigned char>(data[k])];
    return bits;
}

// The text between separators, as it stands. Eight bytes are looked at a
// time: every sentence is split so, and one call per field costs more than
// the field.
template <std::size_t N>
Fields<N> splitAt(std::string_view line, char separator)
{
    Fields<N> fields;
    if (line.empty()) {
        fields.add(line);
        return fields;
    }
    const char* const data = line.data();
    const std::size_t size = line.size();
    std::size_t start = 0, i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        const std::uint64_t pattern = 0x0101010101010101ull * static_cast<unsigned char>(separator);
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + i, sizeof word);
            for (std::uint64_t found = zeroBytes(word ^ pattern); found; found &= found - 1) {
                const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(found) / 8);
                fields.add({data + start, at - start});
                start = at + 1;
            }
        }
    }
    for (; i < size; ++i) {
        if (data[i] == separator) {
            fields.add({data + start, i - start});
            start = i + 1;
        }
    }
    fields.add({data + start, size - start});
    return fields;
}

} // namespace zelva::batch
