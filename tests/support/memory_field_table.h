// SPDX-License-Identifier: GPL-3.0-or-later
// A field table held in memory, for tests and benchmarks.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/field_table.h"

namespace zelva {

class MemoryFieldTable final : public FieldTable {
public:
    std::string readCell(Cell cell) const override;
    void writeCell(Cell cell, std::string_view text) override;

private:
    std::array<std::string, kCellCount> cells_;
};

} // namespace zelva
