// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/memory_field_table.h"

#include <stdexcept>

namespace zelva {

namespace {

Cell cellOf(std::string_view control)
{
    const auto cell = cellNamed(control);
    if (!cell)
        throw std::out_of_range("no cell named " + std::string(control));
    return *cell;
}

} // namespace

std::string MemoryFieldTable::readCell(Cell cell) const
{
    return cells_[indexOf(cell)];
}

void MemoryFieldTable::writeCell(Cell cell, std::string_view text)
{
    cells_[indexOf(cell)] = std::string(text);
}

std::string MemoryFieldTable::readCell(std::string_view control) const
{
    return readCell(cellOf(control));
}

void MemoryFieldTable::writeCell(std::string_view control, std::string_view text)
{
    writeCell(cellOf(control), text);
}

} // namespace zelva
