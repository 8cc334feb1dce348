// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/window_cells.h"

#include <QLineEdit>
#include <QWidget>

namespace zelva::test {

QString nameOf(Cell cell)
{
    const std::string_view name = controlName(cell);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

QLineEdit* cellOf(QWidget& window, Cell cell)
{
    return window.findChild<QLineEdit*>(nameOf(cell));
}

} // namespace zelva::test
