// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/enter_clicks_button.h"

#include <QKeyEvent>
#include <QPushButton>

namespace zelva {

bool EnterClicksButton::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Keypad Enter carries the keypad modifier; with any other, the key is not plain Enter.
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                       && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter)
        return false;
    // Held down, Enter clicks once, as Space does.
    if (!key->isAutoRepeat())
        button->animateClick();
    return true;
}

} // namespace zelva
