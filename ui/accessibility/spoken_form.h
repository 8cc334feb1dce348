// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about the form beyond what the screen shows:
// each cell's description (its tooltip, what it holds, its unit, whether it is
// a result, and the separator hint where the separator guard watches it), and
// the sentences that announce the results of "Calcola" and of the conversion,
// built from the cells as they read. Throws only std::bad_alloc.
#pragma once

#include <string>
#include <string_view>

#include "calc/field_table.h"

namespace zelva {

// `toolTip` is the cell's tooltip in the form (UTF-8), empty where it has none;
// `hint` is the separator hint as one sentence, empty where there is none.
std::string cellDescription(Cell cell, std::string_view toolTip, std::string_view hint);

std::string resultsAnnouncement(const FieldTable& cells);
std::string positionsAnnouncement(const FieldTable& cells);

} // namespace zelva
