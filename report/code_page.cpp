// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/code_page.h"

#include <array>
#include <cstdint>
#include <optional>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace zelva {

namespace {

// Bytes 0x80..0x9F. The five bytes the code page leaves undefined round-trip
// to the C1 controls of the same value, as Windows maps them.
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> encode(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

struct Decoded {
    char32_t code;
    std::size_t length;
};

// One well-formed UTF-8 sequence at the start of text, or nullopt.
std::optional<Decoded> decode(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return Decoded{lead, 1};
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
    return Decoded{code, length};
}

// Walks the UTF-8 text, handing each character to `encodeChar`, which appends
// its bytes and says whether the code page has it.
template <class Encode>
std::string transcode(std::string_view utf8, Encode encodeChar)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::optional<Decoded> d = decode(utf8);
        if (!d) {
            out += '?';
            utf8.remove_prefix(1);
            continue;
        }
        if (!encodeChar(d->code, out))
            out += '?';
        utf8.remove_prefix(d->length);
    }
    return out;
}

} // namespace

std::string toWindows1252(std::string_view utf8)
{
    return transcode(utf8, [](char32_t code, std::string& out) {
        const std::optional<char> byte = encode(code);
        if (byte)
            out += *byte;
        return byte.has_value();
    });
}

std::string toAnsiCodePage(std::string_view utf8)
{
#ifdef _WIN32
    const UINT codePage = GetACP();
    // No best fit: a character the page lacks must show as "?", not as a
    // look-alike letter that changes what the report says.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    return transcode(utf8, [codePage, flags](char32_t code, std::string& out) {
        wchar_t wide[2];
        int units = 1;
        if (code >= 0x10000) {
            wide[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            wide[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            units = 2;
        } else {
            wide[0] = static_cast<wchar_t>(code);
        }
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(codePage, flags, wide, units, bytes, sizeof bytes,
                                               nullptr, codePage == CP_UTF8 ? nullptr : &usedDefault);
        if (length <= 0 || usedDefault)
            return false;
        out.append(bytes, static_cast<std::size_t>(length));
        return true;
    });
#else
    return toWindows1252(utf8);
#endif
}

} // namespace zelva
