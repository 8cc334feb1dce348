// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion action: four rows of degrees, minutes, seconds become decimal
// degrees in the four position cells. A row that fails writes the empty text
// (rows 1-3) or 0 (row 4); no message. Throws only std::bad_alloc.
#pragma once

#include <optional>

#include "calc/field_table.h"
#include "calc/regional_settings.h"

namespace zelva {

// degrees + minutes / 60 + seconds / 3600, each term with its own sign and any
// range, in decimal degrees; nullopt on overflow. Never throws.
std::optional<double> decimalDegrees(double degrees, double minutes, double seconds) noexcept;

void convertSexagesimal(FieldTable& cells, const RegionalSettingsSource& settings);

} // namespace zelva
