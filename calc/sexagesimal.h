// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion action: four rows of degrees, minutes, seconds become decimal
// degrees in the four position cells. A row that fails writes the empty text
// (rows 1-3) or 0 (row 4); no message. Throws only std::bad_alloc.
#pragma once

#include "calc/field_table.h"
#include "calc/regional_settings.h"

namespace zelva {

void convertSexagesimal(FieldTable& cells, const RegionalSettingsSource& settings);

} // namespace zelva
