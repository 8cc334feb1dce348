// SPDX-License-Identifier: GPL-3.0-or-later
// An NMEA 0183 sentence ('$' first, blanks trimmed): a GGA, RMC, GLL or GNS fix
// or a ZDA date from any talker; Ignored for a fix that is not valid or any
// other sentence, whatever its checksum; a LineError for a wrong checksum or a
// malformed field. The sentences read are data: one layout each, its fields by
// name. Throws only std::bad_alloc.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "batch/read/fields.h"
#include "batch/read/line_value.h"

namespace zelva::batch {

// More than any of the sentences read has.
using SentenceFields = Fields<16>;

// Where one sentence type keeps what is read of it; field 0 is the address,
// and 0 for any other field means the type has none.
struct SentenceLayout {
    enum class Date { None, DayMonthYear2, DayMonthYear4Fields };

    std::string_view type;
    std::size_t minimumFields;  // fewer is a sentence cut short
    std::size_t time;
    std::size_t latitude;       // then its N/S, the longitude and its E/W
    Date date;
    std::size_t dateField;      // the first field of the date
    std::size_t status;         // A: valid
    std::size_t quality;        // empty or 0: no fix
    std::size_t mode;           // NMEA 2.3 and later, a letter per system: all N is no fix
    bool modeRequired;          // an empty mode is no fix either
    std::size_t navigation;     // NMEA 4.1 navigational status: V is not valid
    std::size_t altitude;       // metres above mean sea level
    std::string_view sample;    // a sentence of this type, at 10:41:27.50 on 8 December 2026,
                                // 45°24.123' N 9°11.234' E where it has a position
};

std::span<const SentenceLayout> sentenceLayouts();

LineValue readSentence(std::string_view line);

} // namespace zelva::batch
