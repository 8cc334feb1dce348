// SPDX-License-Identifier: GPL-3.0-or-later
// Steps of a timed stretch laid out in metres east and north of a place, for
// the judges' tests, and a sink that keeps what they pass on.
#pragma once

#include <cstdint>
#include <vector>

#include "batch/fix/fix.h"
#include "batch/summary/local_plane.h"
#include "batch/summary/sample.h"
#include "calc/great_circle.h"

namespace zelva::batch::testing {

struct PlanePoint {
    double seconds;
    double east, north;
};

inline std::vector<Step> planeSteps(const std::vector<PlanePoint>& points)
{
    const LocalPlane plane(45.0, 9.0);
    std::vector<Step> steps;
    for (const PlanePoint& p : points) {
        const Position at = plane.position({p.east, p.north});
        Step step;
        step.at.nanoseconds = static_cast<std::int64_t>(p.seconds * 1e9 + 0.5);
        step.at.seconds = p.seconds;
        step.at.latitude = at.latitude;
        step.at.longitude = at.longitude;
        if (!steps.empty()) {
            const Sample& before = steps.back().at;
            step.legNanoseconds = step.at.nanoseconds - before.nanoseconds;
            step.legKm = greatCircleKm(before.latitude, before.longitude, at.latitude, at.longitude);
        }
        steps.push_back(step);
    }
    return steps;
}

// Scatter with σ about 1 on each axis, the same everywhere: a fixed sequence.
inline double scatter(std::uint32_t& state)
{
    double sum = 0.0;
    for (int i = 0; i < 12; ++i) {
        state = state * 1664525u + 1013904223u;
        sum += static_cast<double>(state >> 8) / 16777216.0;
    }
    return sum - 6.0;
}

struct KeptSteps final : StepSink {
    std::vector<Step> steps;
    void step(const Step& s) override { steps.push_back(s); }
};

struct JudgedSteps final : JudgedStepSink {
    std::vector<Step> steps;
    std::vector<bool> stopped;
    void judged(const Step& s, bool stop) override
    {
        steps.push_back(s);
        stopped.push_back(stop);
    }
    double stoppedSeconds() const
    {
        double sum = 0.0;
        for (std::size_t i = 0; i < steps.size(); ++i)
            sum += stopped[i] ? static_cast<double>(steps[i].legNanoseconds) / 1e9 : 0.0;
        return sum;
    }
};

} // namespace zelva::batch::testing
