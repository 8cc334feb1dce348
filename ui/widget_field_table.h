// SPDX-License-Identifier: GPL-3.0-or-later
// The field table backed by the window's QLineEdit cells Text1..Text29, found by
// object name once, at construction. Text is UTF-8 on this side. A name that is
// not a cell, or a form that lacks a cell, is a programming error: it asserts in
// debug builds and reads as empty / writes nothing in release. Never throws.
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

    std::string readCell(std::string_view name) const override;
    void writeCell(std::string_view name, std::string_view text) override;

    // The cell's widget, or nullptr for a name that is not a cell.
    QLineEdit* cell(std::string_view name) const;

private:
    std::array<QLineEdit*, kCellCount> cells_{};
};

} // namespace zelva
