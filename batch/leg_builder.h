// SPDX-License-Identifier: GPL-3.0-or-later
// The legs of one input's list of fixes, from each fix to the next. Consecutive
// sentences at one clock time are one fix; a fix earlier in the day than the one
// before is on the next day, unless both carry dates, which then count whole
// days. A fix is held until the next one begins, since a later sentence of its
// epoch may still bring its date. Never throws.
#pragma once

#include <cstdint>
#include <optional>

#include "batch/input_line.h"
#include "calc/trip.h"

namespace zelva::batch {

struct Leg {
    long line = 0;  // where the leg's second fix begins
    Trip trip;      // times of day as on the clock; the interval counts the days between
};

class LegBuilder {
public:
    // A fix read at line; the leg that ends as it begins a new epoch, if any.
    std::optional<Leg> add(const ListFix& fix, long line) noexcept;
    // Ends the held fix's epoch; the leg to it, if any. The list goes on after it.
    std::optional<Leg> flush() noexcept;

private:
    struct Held {
        ListFix fix;
        long line = 0;
        double timeOfDay = 0.0;
        std::int64_t day = 0;  // counted from the list's first fix
    };

    std::optional<Held> previous_;
    std::optional<Held> pending_;
    std::optional<std::int64_t> firstDate_;  // the date of day 0, once a date is seen
};

} // namespace zelva::batch
