// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/accessible_form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "ui/accessibility/accessible_line_edit.h"

namespace zelva {

QAccessibleInterface* formPartInterface(QObject* object, bool isForm)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && edit->echoMode() == QLineEdit::Normal)
        return new AccessibleLineEdit(edit);
    if (isForm)
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace zelva
