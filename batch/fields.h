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
