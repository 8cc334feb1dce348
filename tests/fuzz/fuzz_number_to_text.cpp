// SPDX-License-Identifier: GPL-3.0-or-later
// Any eight bytes as a double, printed under every setting: at most 15
// significant digits, no grouping symbol, no "-0", and the text reads back to
// itself.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Digits of the mantissa from the first non-zero one on ("0,00120" -> 3).
std::size_t significantDigits(std::string_view text)
{
    text = text.substr(0, text.find('E'));
    std::size_t count = 0;
    for (const char c : text) {
        if (c >= '1' && c <= '9')
            ++count;
        else if (c == '0' && count != 0)
            ++count;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelva;
    if (size < sizeof(double))
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), sizeof(double));
    double value = 0;
    std::memcpy(&value, data, sizeof value);

    using fuzz::require;
    for (const NumberFormat& format : fuzz::kSettings) {
        const std::string text = numberToText(value, format);
        if (!std::isfinite(value)) {
            require(text == "NaN" || text == "Inf" || text == "-Inf", "NaN and infinity as words",
                    input);
            continue;
        }
        require(text != "-0", "zero has no sign", input);
        require(significantDigits(text) <= 15, "at most 15 significant digits", input);
        require(text.find(format.groupSeparator) == std::string::npos, "no grouping symbol", input);
        const std::optional<double> back = textToNumber(text, format);
        if (!back && fuzz::printedBeyondRange(text))
            continue;
        require(back && numberToText(*back, format) == text, "the text reads back to itself", input);
    }
    return 0;
}
