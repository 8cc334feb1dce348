// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/accessible_form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "ui/accessibility/accessible_line_edit.h"

namespace zelva {

namespace {

// The form is a plain QWidget, which Qt presents as a "filler" pane; as the
// program's one window it is announced as a window, with its description.
constexpr auto kFormName = "Form1";

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

QAccessibleInterface* formInterface(const QString& className, QObject* object)
{
    Q_UNUSED(className);  // every class up the line edit's hierarchy answers the same
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && edit->echoMode() == QLineEdit::Normal)
        return new AccessibleLineEdit(edit);
    if (widget->isWindow() && widget->objectName() == QLatin1String(kFormName))
        return new FormAccessible(widget);
    return nullptr;
}

} // namespace

void installAccessibleForm()
{
    // Installed after QApplication's own factory, so asked before it; Qt keeps
    // a factory once however often it is installed.
    QAccessible::installFactory(formInterface);
}

} // namespace zelva
