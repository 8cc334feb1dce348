// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/spoken_form.h"

#include <QLineEdit>
#include <QStringList>

namespace zelva {

QString spokenDescription(const QLineEdit& cell, const QString& hint)
{
    // Where the form gives a cell a tooltip, its description goes on from it.
    QString description = cell.toolTip() + cell.accessibleDescription();
    if (!hint.isEmpty())
        description += QLatin1Char(' ') + hint;
    return description;
}

QString spokenValues(const QString& title, std::span<QLineEdit* const> cells, const QString& between)
{
    QStringList values;
    for (const QLineEdit* cell : cells)
        if (!cell->text().isEmpty())
            values << cell->accessibleName() + between + cell->text();
    return title + QStringLiteral(": ") + values.join(QStringLiteral("; ")) + QLatin1Char('.');
}

} // namespace zelva
