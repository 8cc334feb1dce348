// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: the regional settings they try, and a check that
// stops the run on a broken property, naming it and showing the input.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "calc/regional_settings.h"
#include "tests/test_formats.h"

namespace zelva::fuzz {

inline const std::array<NumberFormat, 6> kSettings = {
    test::kComma, test::kPoint, test::kArabic, test::kFrench, test::kSwiss,
    NumberFormat{",", "\u00A0"},
};

// Doubles from about 1.797693134862315E+308 up print, to 15 digits, as a text
// just beyond the largest double, which then reads as no number: the one case
// where printed text does not read back.
inline bool printedBeyondRange(std::string_view text)
{
    return text.ends_with("79769313486232E+308");
}

inline void require(bool holds, const char* property, std::string_view input)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\ninput (%zu bytes): \"", property, input.size());
    for (const char c : input)
        std::fprintf(stderr, "\\x%02X", static_cast<unsigned char>(c));
    std::fprintf(stderr, "\"\n");
    std::abort();
}

} // namespace zelva::fuzz
