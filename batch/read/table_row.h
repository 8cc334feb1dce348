// SPDX-License-Identifier: GPL-3.0-or-later
// A table row (blanks trimmed, not Blank): 5 numbers are a fix, 10 a pair.
// Fields are split by ';' (decimal ',' or '.'), else by ',' (decimal '.'),
// else by blanks (decimal ',' or '.'); a field in double quotes, as
// spreadsheets write it, holds its own separators ("45,46" in a ','-split row).
// Empty fields at the end of a row, as sheets pad it to their widest row, are
// none. A time field, hh:mm:ss[.f], stands for the three numbers of hours,
// minutes and seconds: "45.46;9.19;10:15:30" is a fix. A first line of names
// (each field beginning with a letter) is a header; a row of empty fields is
// Blank. A row's clock is exact, as in clock.h. Throws only std::bad_alloc.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "batch/read/line_value.h"

namespace zelva::batch {

// The separator that stands for runs of blanks.
constexpr char kBlankSeparator = ' ';

// bits: the line's lineBits (fields.h), which the caller has already found.
// separator: the input's own (kBlankSeparator for blanks), or none for each
// row to show its own as above.
LineValue readTableRow(std::string_view line, bool headerAllowed, unsigned bits,
                       std::optional<char> separator = std::nullopt);

// The separator of a line of names: ';' where one stands outside quotes, else
// ',', else blanks (a name may hold a blank: "date time").
char namesSeparator(std::string_view line, unsigned bits);

// Every field of a line at a separator, quotes as in a row, into `fields`.
void splitFields(std::string_view line, char separator, unsigned bits, std::vector<std::string_view>& fields);

} // namespace zelva::batch
