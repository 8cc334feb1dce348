// SPDX-License-Identifier: GPL-3.0-or-later
// An NMEA 0183 sentence ('$' first, blanks trimmed): a GGA, RMC, GLL or GNS fix
// or a ZDA date from any talker, Ignored for a fix that is not valid or any
// other sentence, or a LineError for a wrong checksum or a malformed field.
// Throws only std::bad_alloc.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "batch/fields.h"
#include "batch/input_line.h"

namespace zelva::batch {

// More than any of the sentences read has.
using SentenceFields = Fields<24>;

// Where one sentence type keeps what is read of it; field 0 is the address.
struct SentenceLayout {
    enum class Date { None, DayMonthYear2, DayMonthYear4Fields };

    std::string_view type;
    std::size_t minimumFields;  // fewer is a sentence cut short
    std::size_t time;
    std::size_t position;       // the latitude, then its N/S, the longitude, its E/W; 0: none
    Date date;
    std::size_t dateField;      // the first field of the date
    bool (*valid)(const SentenceFields&);
    std::string_view sample;    // a sentence of this type, at 10:41:27.50 on 8 December 2026,
                                // 45°24.123' N 9°11.234' E where it has a position
};

std::span<const SentenceLayout> sentenceLayouts();

InputLine readSentence(std::string_view line);

} // namespace zelva::batch
