// SPDX-License-Identifier: GPL-3.0-or-later
// Each value heard once. Qt 6.4's line edit selects its text in focusInEvent,
// which runs before Qt sends QAccessible::Focus, and deselects it on leaving;
// Orca speaks both selections for an object it does not hold as focused, so a
// value entered by Tab was heard twice and leaving a cell said "not selected".
// While one of these lives, a line edit's selection change reaches the screen
// reader only after its Focus event has gone out and while it keeps the
// focus; every other event passes on unchanged. It can go once Qt sends Focus
// before the selection (the event-order test in the accessibility tests says
// so). A child of the window; never throws.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QPointer>

namespace zelva {

class FocusFirstEcho final : public QObject {
    Q_OBJECT
public:
    explicit FocusFirstEcho(QObject* window);
    ~FocusFirstEcho() override;

private:
    static void handle(QAccessibleEvent* event);
    bool passes(const QAccessibleEvent& event);

    QAccessible::UpdateHandler previous_;  // whoever handled the events before: nullptr is the platform
    QPointer<QObject> focused_;            // the object whose Focus event went out last
};

} // namespace zelva
