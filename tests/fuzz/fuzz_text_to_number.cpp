// SPDX-License-Identifier: GPL-3.0-or-later
// Any text under any of the settings (the first byte picks them): a number read
// is finite, and the text it prints reads back to that same text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelva;
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const NumberFormat& format = fuzz::kSettings[data[0] % fuzz::kSettings.size()];
    const std::optional<double> value = textToNumber(input.substr(1), format);
    if (!value)
        return 0;
    fuzz::require(std::isfinite(*value), "a number read is finite", input);

    const std::string text = numberToText(*value, format);
    const std::optional<double> back = textToNumber(text, format);
    if (!back && fuzz::printedBeyondRange(text))
        return 0;
    fuzz::require(back && numberToText(*back, format) == text, "a printed number reads back to its text",
                  input);
    return 0;
}
