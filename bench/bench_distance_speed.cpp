// SPDX-License-Identifier: GPL-3.0-or-later
// One whole "Calcola" click on an in-memory table: validation, the ten reads,
// the arithmetic and the seven writes. Reported as time per click.
#include <benchmark/benchmark.h>

#include <string_view>
#include <utility>

#include "calc/distance_speed.h"
#include "tests/support/memory_field_table.h"

namespace {

void BM_computeDistanceAndSpeed(benchmark::State& state)
{
    zelva::MemoryFieldTable cells;
    constexpr std::pair<std::string_view, std::string_view> kInputs[] = {
        {"Text1", "45"}, {"Text2", "9"}, {"Text3", "44"}, {"Text4", "10"},
        {"Text12", "10"}, {"Text10", "15"}, {"Text7", "30"},
        {"Text13", "11"}, {"Text14", "45"}, {"Text8", "0"},
    };
    for (const auto& [name, text] : kInputs)
        cells.writeCell(name, text);
    const zelva::RegionalSettingsSource settings = [] { return zelva::NumberFormat{",", "."}; };
    const zelva::MessageBoxFn messageBox = [](std::string_view, zelva::MessageStyle) {
        return zelva::MessageAnswer::Ok;
    };

    for (auto _ : state) {
        zelva::computeDistanceAndSpeed(cells, settings, messageBox);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_computeDistanceAndSpeed);

} // namespace
