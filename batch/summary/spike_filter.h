// SPDX-License-Identifier: GPL-3.0-or-later
// Leaves out the fixes of a timed stretch that jump away and come back: runs
// of one to kLongestSpike fixes, each at least kSpikeMetres off the line from
// the fix before the run to the fix after it (by time), each needing at least
// kSpikeAcceleration to reach and leave (2 d / (a b) for a fix d metres off,
// a seconds after the fix before and b before the one after), while the fix
// before the run lies on the line from its own predecessor to the fix after
// the run within a quarter of the run's offset: the track came back to where
// its own motion led. Land vehicles stay below 10 m/s²; a receiver scattering
// by 3 m at 1 Hz shows some 9 m/s², and 20 m off once in millions of fixes.
// The first two fixes of a stretch are taken as they are: there is no motion
// yet to judge them by. Holds kLongestSpike + 1 steps at most. Throws only
// what the sink throws.
#pragma once

#include <deque>
#include <optional>
#include <utility>

#include "batch/summary/sample.h"

namespace zelva::batch {

constexpr int kLongestSpike = 3;
constexpr double kSpikeMetres = 20.0;
constexpr double kSpikeAcceleration = 40.0;  // m/s²

class SpikeFilter {
public:
    // Accepted steps go on to out, each with its leg from the accepted step before.
    explicit SpikeFilter(StepSink& out) : out_(out) {}

    void add(const Step& step);
    // The stretch has ended: the rest is judged with what came.
    void flush();
    // The fixes left out since the last call.
    long takeSpikes() { return std::exchange(spikes_, 0); }

private:
    void resolve(bool last);
    bool isSpike(std::size_t run) const;
    void accept();

    StepSink& out_;
    std::optional<Sample> before_, anchor_;  // the last two accepted
    std::deque<Step> pending_;
    long spikes_ = 0;
};

} // namespace zelva::batch
