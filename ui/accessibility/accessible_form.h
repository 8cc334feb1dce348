// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers are given beyond Qt's defaults: every normal line edit
// exposes its text as one run and one line (Qt 6.4's own interface answers
// attribute queries with empty runs, and Orca then reads a value short of its
// last character; this can go once Qt's runs cover the text), and the
// program's window, a plain widget that Qt presents as a "filler" pane, has
// the role of a window with its description. Install before the window is
// built; may throw std::bad_alloc.
#pragma once

#include <QAccessible>
#include <QString>

class QObject;

namespace zelva {

// The interface for `object`, or nullptr for Qt's own; `isForm` says that it is the program's window.
QAccessibleInterface* formPartInterface(QObject* object, bool isForm);

template <class Form>
QAccessibleInterface* formInterface(const QString& /*className*/, QObject* object)
{
    // Every class up an object's hierarchy is asked about and answers the same.
    return formPartInterface(object, qobject_cast<Form*>(object) != nullptr);
}

template <class Form>
void installAccessibleForm()
{
    // Installed after QApplication's own factory, so asked before it; Qt keeps
    // a factory once however often it is installed.
    QAccessible::installFactory(&formInterface<Form>);
}

} // namespace zelva
