// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion action: four rows of degrees, minutes, seconds (Text18..Text29)
// become decimal degrees in Text1..Text4. A row that fails writes the empty text
// (rows 1-3) or 0 (row 4); no message, never throws.
#pragma once

#include "calc/field_table.h"
#include "calc/regional_settings.h"

namespace zelva {

void convertSexagesimal(FieldTable& cells, const RegionalSettingsSource& settings);

} // namespace zelva
