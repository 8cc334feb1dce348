// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 text to a code page's bytes, one character at a time: an encoder
// appends each character's bytes or says the page lacks it. Such a character,
// and each byte that is not valid UTF-8, becomes one "?". Throws only
// std::bad_alloc and what the encoder throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelva {

struct Utf8Char {
    char32_t code;
    std::size_t length;
};

// One well-formed UTF-8 sequence at the start of a non-empty text, or nullopt.
inline std::optional<Utf8Char> decodeUtf8(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return Utf8Char{lead, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2; code = lead & 0x1F; minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3; code = lead & 0x0F; minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4; code = lead & 0x07; minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return std::nullopt;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate)
        return std::nullopt;
    return Utf8Char{code, length};
}

// `encodeChar(code, out)` appends the bytes of one character to out and
// returns whether the code page has it.
template <class Encode>
std::string transcodeUtf8(std::string_view utf8, Encode encodeChar)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::optional<Utf8Char> c = decodeUtf8(utf8);
        if (!c) {
            out += '?';
            utf8.remove_prefix(1);
            continue;
        }
        if (!encodeChar(c->code, out))
            out += '?';
        utf8.remove_prefix(c->length);
    }
    return out;
}

} // namespace zelva
