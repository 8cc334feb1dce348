// SPDX-License-Identifier: GPL-3.0-or-later
// One list of fixes judged as a trip, fix by fix as its legs come: spikes
// left out (spike_filter.h), stops told from motion (stop_detector.h), the
// top speed (top_speed.h), the climb (climb_counter.h), its first and last
// moment. Legs are judged along timed stretches; a leg without a time (a fix
// without a clock) ends a stretch and adds its distance alone. Memory stays
// the same however long the list. Throws only std::bad_alloc.
#pragma once

#include <cstdint>
#include <optional>

#include "batch/legs/leg.h"
#include "batch/summary/climb_counter.h"
#include "batch/summary/sample.h"
#include "batch/summary/spike_filter.h"
#include "batch/summary/stop_detector.h"
#include "batch/summary/top_speed.h"
#include "batch/summary/trip_figures.h"

namespace zelva::batch {

class ListJudge final : private StepSink, private JudgedStepSink {
public:
    ListJudge() : spikes_(static_cast<StepSink&>(*this)), stops_(static_cast<JudgedStepSink&>(*this)) {}
    ListJudge(const ListJudge&) = delete;
    ListJudge& operator=(const ListJudge&) = delete;

    void begin(const Fix& first);
    void leg(const Leg& leg);
    // The figures of the list since begin; the judge is then ready for another.
    TripFigures end();

private:
    void step(const Step& step) override;                   // past the spikes
    void judged(const Step& step, bool stopped) override;  // moving or stopped
    void startStretch(const Fix& fix);
    void endStretch();
    void untimed(const Fix& fix);
    void follow(const Fix& to, const std::optional<std::int64_t>& interval);

    SpikeFilter spikes_;
    StopDetector stops_;
    TopSpeed top_;
    ClimbCounter climb_;
    TripFigures figures_;

    bool inStretch_ = false;
    std::int64_t stretchNanoseconds_ = 0;  // of the last fix, since the stretch began
    double travelledM_ = 0.0;             // along the stretch, for the top speed

    // The clock of the last fix, and its date where known or counted.
    std::optional<std::int64_t> lastNanoseconds_, lastDate_;
    std::optional<std::int64_t> firstNanoseconds_;  // of the first fix
    std::int64_t sinceFirst_ = 0;  // exact, while every leg since the first has a time
    bool countedFromFirst_ = false;
};

} // namespace zelva::batch
