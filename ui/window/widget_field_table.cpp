// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/widget_field_table.h"

#include "ui/platform/utf8.h"

#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace zelva {

WidgetFieldTable::WidgetFieldTable(QWidget& form)
{
    for (const CellInfo& info : kCells) {
        QLineEdit* edit = form.findChild<QLineEdit*>(fromUtf8(info.control));
        Q_ASSERT_X(edit, "WidgetFieldTable", "the form lacks a cell");
        cells_[indexOf(info.cell)] = edit;
    }
}

QLineEdit* WidgetFieldTable::widget(Cell cell) const
{
    return cells_[indexOf(cell)];
}

std::string WidgetFieldTable::readCell(Cell cell) const
{
    const QLineEdit* edit = widget(cell);
    return edit ? edit->text().toStdString() : std::string();
}

void WidgetFieldTable::writeCell(Cell cell, std::string_view text)
{
    QLineEdit* edit = widget(cell);
    if (edit)
        edit->setText(fromUtf8(text));
}

} // namespace zelva
