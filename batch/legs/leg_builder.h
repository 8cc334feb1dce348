// SPDX-License-Identifier: GPL-3.0-or-later
// Fixes to legs: each fix of a list with the one before it, given to the leg
// sink as soon as it is known. Where both fixes have a date (given, or carried
// on from an earlier fix) the dates decide the days between; without, a fix
// earlier in the day is on the next day only when it is more than 12 hours
// earlier. A smaller step back, or an earlier date, is the clock running back:
// one rejection for that fix, no leg across the step, and a new list from that
// fix on. A day that showed 23:59:60 lasts a second longer. A leg to or from a
// fix without a clock is a distance alone. A track's beginning and end go on
// to the leg sink, each ending the list before it. Throws only what the sinks
// throw.
#pragma once

#include <cstdint>
#include <optional>

#include "batch/legs/leg.h"
#include "batch/read/reader.h"

namespace zelva::batch {

class LegBuilder : public FixSink {
public:
    LegBuilder(LegSink& legs, RejectionSink& rejections) : legs_(legs), rejections_(rejections) {}

    void fix(const Fix& fix) override;
    // With the window's rules for its two times: no day between them.
    void pair(const Fix& first, const Fix& second) override;
    void endList() override;
    void beginTrack() override;
    void endTrack() override;

private:
    void begin(const Fix& fix, std::optional<std::int64_t> date);

    LegSink& legs_;
    RejectionSink& rejections_;
    std::optional<Fix> previous_;
    std::int64_t day_ = 0;                   // previous_'s, counted from the list's first fix
    std::optional<std::int64_t> firstDate_;  // the date of day 0, once one is known
};

} // namespace zelva::batch
