// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/memory_field_table.h"

namespace zelva {

std::string MemoryFieldTable::readCell(Cell cell) const
{
    return cells_[indexOf(cell)];
}

void MemoryFieldTable::writeCell(Cell cell, std::string_view text)
{
    cells_[indexOf(cell)] = std::string(text);
}

} // namespace zelva
