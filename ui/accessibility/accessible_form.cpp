// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/accessible_form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "ui/accessibility/accessible_line_edit.h"

namespace zelva {

namespace {

// Qt lists a widget's child widgets only. Objects of the window's that present
// themselves on their own (the screen reader's notice) are its children too,
// so that each object in the tree has a place in its parent's list.
class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(QWidget* form) : QAccessibleWidget(form, QAccessible::Window) {}

    int childCount() const override { return QAccessibleWidget::childCount() + int(others().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const QList<QAccessibleInterface*> rest = others();
        return index - widgets < rest.size() ? rest.at(index - widgets) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (const int index = QAccessibleWidget::indexOfChild(child); index >= 0)
            return index;
        const auto index = others().indexOf(child);
        return index < 0 ? -1 : QAccessibleWidget::childCount() + int(index);
    }

private:
    QList<QAccessibleInterface*> others() const
    {
        QList<QAccessibleInterface*> found;
        for (QObject* child : object()->children())
            if (!child->isWidgetType())
                if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(child))
                    found << iface;
        return found;
    }
};

} // namespace

QAccessibleInterface* formPartInterface(QObject* object, bool isForm)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && edit->echoMode() == QLineEdit::Normal)
        return new AccessibleLineEdit(edit);
    if (isForm)
        return new FormAccessible(widget);
    return nullptr;
}

} // namespace zelva
