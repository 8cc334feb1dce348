// SPDX-License-Identifier: GPL-3.0-or-later
// The "Calcola" action: reads the ten input cells of the two fixes once, and
// writes times of day, distance, interval and speeds back as text. An empty input
// cell shows one error box, writes nothing and returns false; a text that is not
// a number counts as 0, and any other failure skips only its step. May throw
// std::bad_alloc (the texts it reads and writes), and passes on what the seams
// it is given throw.
#pragma once

#include "calc/field_table.h"
#include "calc/message_box.h"
#include "calc/regional_settings.h"

namespace zelva {

bool computeDistanceAndSpeed(FieldTable& cells, const RegionalSettingsSource& settings,
                             const MessageBoxFn& showMessageBox);

} // namespace zelva
