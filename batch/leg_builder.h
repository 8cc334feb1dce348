// SPDX-License-Identifier: GPL-3.0-or-later
// The legs of one input's list of fixes, from each fix to the next, given to a
// sink as soon as each is known. Consecutive sentences at one clock time are
// one epoch, held until the next epoch begins, since a later sentence of it
// may still bring its date; a table row is a fix of its own, complete when read.
// A fix earlier in the day than the one before is on the next day, unless both
// dates are known (from RMC or ZDA, or counted on from an earlier date): then
// they count whole days, and a fix earlier than the one before is rejected and
// the list goes on from the last good fix. A day that showed 23:59:60 lasts a
// second longer. A leg to or from a fix without a clock is a distance alone.
// Never throws but what the sink throws.
#pragma once

#include <cstdint>
#include <optional>

#include "batch/input_line.h"
#include "calc/trip.h"

namespace zelva::batch {

struct Leg {
    long line = 0;  // where the leg's second fix begins
    Trip trip;      // times of day as on the clock; the interval counts the days between
    bool timed = true;  // false: a fix without a clock, so the distance alone is known
};

class LegSink {
public:
    virtual void leg(const Leg& leg) = 0;
    // The fix that begins at line is earlier than the one at previousLine.
    virtual void earlierFix(long line, long previousLine) = 0;

protected:
    ~LegSink() = default;
};

class LegBuilder {
public:
    explicit LegBuilder(LegSink& sink) : sink_(sink) {}

    // A fix read at line.
    void add(const ListFix& fix, long line);
    // A date for the epoch at its clock time.
    void add(const EpochDate& date);
    // Ends the held epoch: the list goes on after it (the input ended, or a
    // pair row came between).
    void flush();
    // The fixes of the list taken so far.
    long fixes() const { return fixes_; }

private:
    struct Held {
        ListFix fix;
        long line = 0;
        double timeOfDay = 0.0;
        std::int64_t day = 0;  // counted from the list's first fix
    };
    struct LoneDate {
        double timeOfDay = 0.0;
        std::int64_t date = 0;
    };

    LegSink& sink_;
    std::optional<Held> previous_;
    std::optional<Held> pending_;
    std::optional<LoneDate> loneDate_;       // a date whose epoch has no fix yet
    std::optional<std::int64_t> firstDate_;  // the date of day 0, once a date is seen
    long fixes_ = 0;
};

} // namespace zelva::batch
