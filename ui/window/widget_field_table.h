// SPDX-License-Identifier: GPL-3.0-or-later
// The field table backed by the window's QLineEdit cells, found by their
// control names once, at construction. Text is UTF-8 on this side. A form that
// lacks a cell is a programming error: it asserts in debug builds and reads as
// empty / writes nothing in release. Throws only std::bad_alloc.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/field_table.h"

class QLineEdit;
class QWidget;

namespace zelva {

class WidgetFieldTable final : public FieldTable {
public:
    // `form` must outlive the table; its cells are looked up among all descendants.
    explicit WidgetFieldTable(QWidget& form);

    std::string readCell(Cell cell) const override;
    void writeCell(Cell cell, std::string_view text) override;

    // The cell's widget; nullptr only where the form lacks it.
    QLineEdit* widget(Cell cell) const;

private:
    std::array<QLineEdit*, kCellCount> cells_{};
};

} // namespace zelva
