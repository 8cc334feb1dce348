// SPDX-License-Identifier: GPL-3.0-or-later
// What one line of a log or a table holds, as its reader finds it: nothing to
// use, a sentence's fix or date (part of an epoch), a row's fix or pair, or the
// Italian reason why it cannot be used. Never throws.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "batch/fix/fix.h"

namespace zelva::batch {

struct Blank {};    // empty, blanks only, a # comment, or a row of separators
struct Ignored {};  // used by no rule, and no error either

// A sentence's fix: the sentences of one clock time are one epoch.
struct EpochFix {
    Fix fix;  // always with a clock
};

// A sentence that dates the epoch at its clock time without a position (ZDA).
struct EpochDate {
    std::int64_t nanoseconds = 0;
    std::int64_t date = 0;
};

struct RowFix {
    Fix fix;
};

struct RowPair {
    Fix first, second;
};

struct LineError {
    std::string reason;
};

using LineValue = std::variant<Blank, Ignored, EpochFix, EpochDate, RowFix, RowPair, LineError>;

} // namespace zelva::batch
