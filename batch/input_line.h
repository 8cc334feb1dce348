// SPDX-License-Identifier: GPL-3.0-or-later
// What one input line is: blank or a comment, ignored by rule (another sentence,
// a fix that is not valid, a header), a fix of a list (NMEA or 5 numbers), a
// pair of fixes (10 numbers), or an Italian reason why it cannot be used.
// Independent of the user's locale; throws only std::bad_alloc.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "calc/trip.h"

namespace zelva::batch {

struct Blank {};    // empty, blanks only, or a # comment
struct Ignored {};  // used by no rule, and no error either

struct ListFix {
    Fix fix;
    std::optional<std::int64_t> date;  // a day number, from an RMC date
    bool sentence = false;             // NMEA: one epoch may span several sentences
};

struct PairRow {
    Fix first;
    Fix second;
};

struct LineError {
    std::string reason;
};

using InputLine = std::variant<Blank, Ignored, ListFix, PairRow, LineError>;

// headerAllowed: this is the first line of its input that is not Blank, so a
// line without a number in it is a header.
InputLine readInputLine(std::string_view line, bool headerAllowed);

} // namespace zelva::batch
