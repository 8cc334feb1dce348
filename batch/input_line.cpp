// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/input_line.h"

#include "batch/fields.h"
#include "batch/nmea_sentence.h"
#include "batch/table_row.h"

namespace zelva::batch {

namespace {

// The start of a UBX frame cut short by the end of the input.
constexpr std::string_view kUbxSync = "\xB5\x62";

} // namespace

InputLine readInputLine(std::string_view line, bool headerAllowed)
{
    // A serial capture starts mid-sentence or with NULs, and UBX bytes may
    // run into the next sentence: a sentence is taken from its '$', which no
    // sentence holds inside. NUL bytes and other control characters belong to
    // no sentence and no table; a binary file ends here, line by line, with
    // one message each. One pass finds both: this runs for every line.
    unsigned bits = lineBits(line);
    if (bits & kDollar) {
        line.remove_prefix(line.rfind('$'));
        if (bits & kControlByte)
            bits = lineBits(line);
    } else if (line.starts_with(kUbxSync)) {
        return Ignored{};
    }
    if (bits & kControlByte)
        return LineError{"la riga contiene caratteri di controllo (file binario?)"};

    line = trimBlanks(line);
    if (line.empty() || line.front() == '#')
        return Blank{};
    switch (line.front()) {
    case '$':
        return readSentence(line);
    case '!':  // AIS, from another receiver
    case '{':  // gpsd's JSON reports
        return Ignored{};
    default:
        return readTableRow(line, headerAllowed, bits);
    }
}

} // namespace zelva::batch
