// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/code_page.h"

#include <array>
#include <optional>

#include "report/utf8_transcode.h"

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

} // namespace

std::string toWindows1252(std::string_view utf8)
{
    return transcodeUtf8(utf8, [](char32_t code, std::string& out) {
        const std::optional<char> byte = encode(code);
        if (byte)
            out += *byte;
        return byte.has_value();
    });
}

} // namespace zelva
