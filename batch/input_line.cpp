// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/input_line.h"

#include <algorithm>

#include "batch/nmea_sentence.h"
#include "batch/table_row.h"

namespace zelva::batch {

InputLine readInputLine(std::string_view line, bool headerAllowed)
{
    // NUL bytes and other control characters belong to no sentence and no
    // table; a binary file ends here, line by line, with one message each.
    const bool control = std::any_of(line.begin(), line.end(), [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '\x7F';
    });
    if (control)
        return LineError{"la riga contiene caratteri di controllo (file binario?)"};

    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#')
        return Blank{};
    line.remove_prefix(first);
    if (line.front() == '$' || line.front() == '!')
        return readSentence(line);
    return readTableRow(line, headerAllowed);
}

} // namespace zelva::batch
