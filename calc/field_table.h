// SPDX-License-Identifier: GPL-3.0-or-later
// The program's only data: the text of each cell, UTF-8, stored exactly as
// written. Reading and writing copy the text, so either can throw
// std::bad_alloc; nothing else throws.
#pragma once

#include <string>
#include <string_view>

#include "calc/cell.h"

namespace zelva {

class FieldTable {
public:
    virtual ~FieldTable() = default;
    virtual std::string readCell(Cell cell) const = 0;
    virtual void writeCell(Cell cell, std::string_view text) = 0;
};

} // namespace zelva
