// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/load_form.h"

#include <QLabel>
#include <QString>

#include "calc/decimal_separator.h"
#include "ui/platform/utf8.h"

namespace zelva {

void loadForm(FieldTable& cells, DecimalSeparator detected, QLabel& label12, QLabel& label13)
{
    if (const auto hint = separatorHint(detected)) {
        label12.setText(fromUtf8(hint->top));
        label13.setText(fromUtf8(hint->bottom));
    }
    for (const CellInfo& info : kCells)
        cells.writeCell(info.cell, "");
}

} // namespace zelva
