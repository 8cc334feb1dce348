// SPDX-License-Identifier: GPL-3.0-or-later
// textToNumber and numberToText against the bare std::from_chars / std::to_chars
// they are built on, over the same values. Read the ratio of the pairs from one run.
#include <array>
#include <charconv>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "calc/number_text.h"

namespace {

const zelva::NumberFormat kItalian{",", "."};

// Typical cell texts: coordinates, clock times, results; some with grouping.
const std::vector<std::string> kCellTexts = {
    "45,4642", "9,19", "44", "10", "15", "30", "36930", "42300", "5370",
    "136,578403600813", "136.578,403600813", "25,4335947120417", "91,5609409633502",
    "1.000", " 45,5041666666667", "-3,5", "1E3", "0,0001",
};
// The same numbers as std::from_chars reads them.
const std::vector<std::string> kAsciiTexts = {
    "45.4642", "9.19", "44", "10", "15", "30", "36930", "42300", "5370",
    "136.578403600813", "136578.403600813", "25.4335947120417", "91.5609409633502",
    "1000", "45.5041666666667", "-3.5", "1E3", "0.0001",
};

const std::vector<double> kValues = {
    45.4642, 9.19, 36930.0, 5370.0, 136.57840360081308, 136578.40360081308,
    25.43359471204172, 91.5609409633502, 45.50416666666667, 2.0 / 3.0, 1e-5, 1234567890123456.0,
};

void TextToNumber(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& text : kCellTexts)
            benchmark::DoNotOptimize(zelva::textToNumber(text, kItalian));
}
BENCHMARK(TextToNumber);

void FromCharsBaseline(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& text : kAsciiTexts) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
}
BENCHMARK(FromCharsBaseline);

void NumberToText(benchmark::State& state)
{
    for (auto _ : state)
        for (double value : kValues)
            benchmark::DoNotOptimize(zelva::numberToText(value, kItalian));
}
BENCHMARK(NumberToText);

void ToCharsBaseline(benchmark::State& state)
{
    for (auto _ : state)
        for (double value : kValues) {
            std::array<char, 32> buffer;
            auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                        std::chars_format::general, 15);
            benchmark::DoNotOptimize(result.ptr);
            benchmark::DoNotOptimize(buffer);
        }
}
BENCHMARK(ToCharsBaseline);

} // namespace
