// SPDX-License-Identifier: GPL-3.0-or-later
// Tracks with a known truth, for judging the judges: 1 Hz fixes of a ride or
// a walk with stops, spikes, climbs and a receiver's errors, the same on
// every platform for the same seed.
#pragma once

#include <cstdint>
#include <vector>

#include "batch/fix/fix.h"

namespace zelva::batch::testing {

enum class Activity { Ride, Walk };

struct GeneratedTrack {
    std::vector<Fix> fixes;
    // The truth, from the true path.
    double distanceKm = 0.0;
    double movingSeconds = 0.0;
    double topSpeedMs = 0.0;  // the fastest 10 s
    double ascentM = 0.0;
    double descentM = 0.0;
    long spikes = 0;
    long stops = 0;
};

// Rides move at 4 to 12 m/s, each speed held 30 s or more, walks at 1.2 m/s;
// stops of 30 s to 10 min scatter by σ 3 m; while moving the position error
// drifts in steps of 0.3 m, kept within 5 m; spikes of 100 to 300 m; climbs
// of 100 to 800 m, elevation scattering by σ 3 m.
GeneratedTrack generateTrack(Activity activity, std::uint32_t seed);

} // namespace zelva::batch::testing
