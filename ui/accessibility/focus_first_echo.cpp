// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/focus_first_echo.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

namespace zelva {

namespace {

// Qt takes a bare function as handler, so the state lives in the window's child.
FocusFirstEcho* installedEcho()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* echo = window->findChild<FocusFirstEcho*>(QString(), Qt::FindDirectChildrenOnly))
            return echo;
    return nullptr;
}

} // namespace

FocusFirstEcho::FocusFirstEcho(QObject* window)
    : QObject(window),
      previous_(QAccessible::installUpdateHandler(&FocusFirstEcho::handle))
{
    if (previous_ == &FocusFirstEcho::handle)
        previous_ = nullptr;  // another window's: the platform's events are what it passed on
}

FocusFirstEcho::~FocusFirstEcho()
{
    // Put back what was there, unless someone has replaced this one since.
    if (QAccessible::UpdateHandler current = QAccessible::installUpdateHandler(previous_);
        current != &FocusFirstEcho::handle)
        QAccessible::installUpdateHandler(current);
}

bool FocusFirstEcho::passes(const QAccessibleEvent& event)
{
    if (event.type() == QAccessible::Focus) {
        focused_ = event.object();
        return true;
    }
    if (event.type() != QAccessible::TextSelectionChanged)
        return true;
    const auto* edit = qobject_cast<const QLineEdit*>(event.object());
    return !edit || (edit == focused_ && edit->hasFocus());
}

void FocusFirstEcho::handle(QAccessibleEvent* event)
{
    FocusFirstEcho* echo = installedEcho();
    if (echo && !echo->passes(*event))
        return;
    if (echo && echo->previous_) {
        echo->previous_(event);
        return;
    }
    // The platform is reached only with no handler installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&FocusFirstEcho::handle);
}

} // namespace zelva
