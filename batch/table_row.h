// SPDX-License-Identifier: GPL-3.0-or-later
// A table row (blanks trimmed, not Blank): 5 numbers are a fix, 10 a pair.
// Fields are split by ';' (decimal ',' or '.'), else by ',' (decimal '.'),
// else by blanks (decimal ',' or '.'); a first line without numbers is a header.
#pragma once

#include <string_view>

#include "batch/input_line.h"

namespace zelva::batch {

InputLine readTableRow(std::string_view line, bool headerAllowed);

} // namespace zelva::batch
