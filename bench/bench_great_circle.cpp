// SPDX-License-Identifier: GPL-3.0-or-later
// greatCircleKm against the floors' haversine on the C library's sin, cos and
// atan2, over the same legs: pairs of fixes anywhere on the globe (half of them
// more than a quarter turn apart, which costs greatCircleKm two more sines),
// and legs of up to 10 km, as between the fixes of a track.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "calc/great_circle.h"
#include "floor_distance.h"

namespace {

struct Leg {
    double lat1, lon1, lat2, lon2;
};

std::vector<Leg> legs(bool shortOnly)
{
    std::mt19937_64 bits(1);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    // Uniform on the sphere; a short leg moves up to 0.0635 degrees each way.
    const auto latitude = [&] { return std::asin(unit(bits)) * 57.29577951308232; };
    std::vector<Leg> v(4096);
    for (Leg& leg : v) {
        leg.lat1 = latitude();
        leg.lon1 = 180.0 * unit(bits);
        leg.lat2 = shortOnly ? leg.lat1 + 0.0635 * unit(bits) : latitude();
        leg.lon2 = shortOnly ? leg.lon1 + 0.0635 * unit(bits) : 180.0 * unit(bits);
    }
    return v;
}

template <double (*Distance)(double, double, double, double)>
void run(benchmark::State& state)
{
    const std::vector<Leg> all = legs(state.range(0) != 0);
    for (auto _ : state)
        for (const Leg& leg : all)
            benchmark::DoNotOptimize(Distance(leg.lat1, leg.lon1, leg.lat2, leg.lon2));
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(all.size()));
    state.SetLabel(state.range(0) != 0 ? "legs up to 10 km" : "anywhere on the globe");
}

double program(double lat1, double lon1, double lat2, double lon2)
{
    return zelva::greatCircleKm(lat1, lon1, lat2, lon2);
}

BENCHMARK(run<program>)->Name("greatCircleKm")->Arg(0)->Arg(1);
BENCHMARK(run<floorLegKm>)->Name("floorLegKm")->Arg(0)->Arg(1);

} // namespace
