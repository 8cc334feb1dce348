// SPDX-License-Identifier: GPL-3.0-or-later
// A fix as the judging of a list sees it, and the step that reached it: its
// time since the first fix of its timed stretch, exactly and in seconds, where
// it is and how high. The judges pass steps on through these sinks. Never throws.
#pragma once

#include <cstdint>
#include <optional>

namespace zelva::batch {

struct Sample {
    std::int64_t nanoseconds = 0;
    double seconds = 0.0;
    double latitude = 0.0;
    double longitude = 0.0;
    std::optional<double> elevation;
};

// A sample with the leg from the sample before it; the first of a stretch has none (0, 0).
struct Step {
    Sample at;
    std::int64_t legNanoseconds = 0;
    double legKm = 0.0;
};

class StepSink {
public:
    virtual void step(const Step& step) = 0;

protected:
    ~StepSink() = default;
};

class JudgedStepSink {
public:
    // stopped: the step's leg lies inside a stop.
    virtual void judged(const Step& step, bool stopped) = 0;

protected:
    ~JudgedStepSink() = default;
};

} // namespace zelva::batch
