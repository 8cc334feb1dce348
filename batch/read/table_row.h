// SPDX-License-Identifier: GPL-3.0-or-later
// A table row (blanks trimmed, not Blank): 5 numbers are a fix, 10 a pair.
// Fields are split by ';' (decimal ',' or '.'), else by ',' (decimal '.'),
// else by blanks (decimal ',' or '.'); a field in double quotes, as
// spreadsheets write it, holds its own separators ("45,46" in a ','-split row).
// A first line of names (each field beginning with a letter) is a header; a
// row of empty fields is Blank. A row's clock is exact, as in clock.h.
// Throws only std::bad_alloc.
#pragma once

#include <string_view>

#include "batch/read/line_value.h"

namespace zelva::batch {

// bits: the line's lineBits (fields.h), which the caller has already found.
LineValue readTableRow(std::string_view line, bool headerAllowed, unsigned bits);

} // namespace zelva::batch
