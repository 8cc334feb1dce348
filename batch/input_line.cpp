// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/input_line.h"

#include <algorithm>

#include "batch/nmea_sentence.h"
#include "batch/table_row.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kBlanks = " \t";
// The start of a UBX frame cut short by the end of the input.
constexpr std::string_view kUbxSync = "\xB5\x62";

bool hasControlCharacter(std::string_view line)
{
    return std::any_of(line.begin(), line.end(), [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '\x7F';
    });
}

} // namespace

InputLine readInputLine(std::string_view line, bool headerAllowed)
{
    // A serial capture starts mid-sentence or with NULs, and UBX bytes may
    // run into the next sentence: a sentence is taken from its '$', which no
    // sentence holds inside.
    if (const std::size_t dollar = line.rfind('$'); dollar != std::string_view::npos)
        line.remove_prefix(dollar);
    else if (line.starts_with(kUbxSync))
        return Ignored{};

    // NUL bytes and other control characters belong to no sentence and no
    // table; a binary file ends here, line by line, with one message each.
    if (hasControlCharacter(line))
        return LineError{"la riga contiene caratteri di controllo (file binario?)"};

    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos || line[first] == '#')
        return Blank{};
    line = line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
    switch (line.front()) {
    case '$':
        return readSentence(line);
    case '!':  // AIS, from another receiver
    case '{':  // gpsd's JSON reports
        return Ignored{};
    default:
        return readTableRow(line, headerAllowed);
    }
}

} // namespace zelva::batch
