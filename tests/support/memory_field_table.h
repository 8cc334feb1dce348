// SPDX-License-Identifier: GPL-3.0-or-later
// A field table held in memory, for tests and benchmarks. Besides the cells it
// takes the form's control names, which the tests quote from the form; an
// unknown name throws std::out_of_range, so a typo fails the test that has it.
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

    std::string readCell(std::string_view control) const;
    void writeCell(std::string_view control, std::string_view text);

private:
    std::array<std::string, kCellCount> cells_;
};

} // namespace zelva
