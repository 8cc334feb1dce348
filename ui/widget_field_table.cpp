// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widget_field_table.h"

#include "ui/utf8.h"

#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace zelva {

WidgetFieldTable::WidgetFieldTable(QWidget& form)
{
    for (int number = 1; number <= kCellCount; ++number) {
        QLineEdit* edit = form.findChild<QLineEdit*>(QString::fromStdString(cellName(number)));
        Q_ASSERT_X(edit, "WidgetFieldTable", "the form lacks a cell");
        cells_[static_cast<std::size_t>(number - 1)] = edit;
    }
}

QLineEdit* WidgetFieldTable::cell(std::string_view name) const
{
    const auto number = cellNumber(name);
    return number ? cells_[static_cast<std::size_t>(*number - 1)] : nullptr;
}

std::string WidgetFieldTable::readCell(std::string_view name) const
{
    const QLineEdit* edit = cell(name);
    Q_ASSERT_X(edit, "WidgetFieldTable::readCell", "not a cell name");
    return edit ? edit->text().toStdString() : std::string();
}

void WidgetFieldTable::writeCell(std::string_view name, std::string_view text)
{
    QLineEdit* edit = cell(name);
    Q_ASSERT_X(edit, "WidgetFieldTable::writeCell", "not a cell name");
    if (edit)
        edit->setText(fromUtf8(text));
}

} // namespace zelva
