// SPDX-License-Identifier: GPL-3.0-or-later
// The window's cells as the Qt tests reach them: by Cell, found among the
// window's descendants by control name, without going through WidgetFieldTable.
#pragma once

#include <QMetaType>
#include <QString>

#include "calc/cell.h"

class QLineEdit;
class QWidget;

Q_DECLARE_METATYPE(zelva::Cell)

namespace zelva::test {

// The cell's control name, as the form and QWidget::objectName() spell it.
QString nameOf(Cell cell);

// The cell's line edit in `window`; nullptr where the window lacks it.
QLineEdit* cellOf(QWidget& window, Cell cell);

} // namespace zelva::test
