// SPDX-License-Identifier: GPL-3.0-or-later
// The "Calcola" action: reads the two fixes (decimal degrees, clock times) from the
// cells, writes times of day (s), distance (km, m), interval (s) and speed (m/s,
// km/h) back as text. An empty input cell shows one error box and writes nothing;
// any other failure skips only its step. Never throws.
#pragma once

#include "calc/field_table.h"
#include "calc/message_box.h"
#include "calc/regional_settings.h"

namespace zelva {

void computeDistanceAndSpeed(FieldTable& cells, const RegionalSettingsSource& settings,
                             const MessageBoxFn& showMessageBox);

} // namespace zelva
