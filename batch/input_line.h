// SPDX-License-Identifier: GPL-3.0-or-later
// What one input line is: blank, a comment or an empty spreadsheet row; ignored
// by rule (another sentence, a fix that is not valid, a header, another
// protocol's line); a fix of a list (NMEA or 5 numbers); the date of an NMEA
// epoch; a pair of fixes (10 numbers); or an Italian reason why it cannot be
// used. Independent of the user's locale; throws only std::bad_alloc.
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
    bool timed = true;                 // false: a position alone (a route's point), no clock
};

// A sentence that dates its epoch without a position (ZDA).
struct EpochDate {
    Fix clock;  // the time of day only
    std::int64_t date = 0;
};

struct PairRow {
    Fix first;
    Fix second;
};

struct LineError {
    std::string reason;
};

using InputLine = std::variant<Blank, Ignored, ListFix, PairRow, LineError, EpochDate>;

// headerAllowed: this is the first line of its input that is not Blank, so a
// line without a number in it is a header.
InputLine readInputLine(std::string_view line, bool headerAllowed);

} // namespace zelva::batch
