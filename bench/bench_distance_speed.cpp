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
    using zelva::Cell;
    constexpr std::pair<Cell, std::string_view> kInputs[] = {
        {Cell::Latitude1, "45"}, {Cell::Longitude1, "9"}, {Cell::Latitude2, "44"},
        {Cell::Longitude2, "10"}, {Cell::Hours1, "10"}, {Cell::Minutes1, "15"},
        {Cell::Seconds1, "30"}, {Cell::Hours2, "11"}, {Cell::Minutes2, "45"}, {Cell::Seconds2, "0"},
    };
    for (const auto& [cell, text] : kInputs)
        cells.writeCell(cell, text);
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
