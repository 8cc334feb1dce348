// SPDX-License-Identifier: GPL-3.0-or-later
// The window's Load handler: the separator hint into Label12 and Label13 (left
// as they are for Neither), then every cell emptied in order Text1..Text29
// through the field table. Never fails; throws only std::bad_alloc.
#pragma once

#include "calc/decimal_separator.h"
#include "calc/field_table.h"

class QLabel;

namespace zelva {

void loadForm(FieldTable& cells, DecimalSeparator detected, QLabel& label12, QLabel& label13);

} // namespace zelva
