// SPDX-License-Identifier: GPL-3.0-or-later
// The decimal separator guard: watches key presses in the cells it is installed
// on and shows the separator warning for each, without changing or swallowing
// the typed character. Throws only std::bad_alloc and what the message box
// throws.
#pragma once

#include <QObject>

#include "calc/message_box.h"
#include "calc/regional_settings.h"

namespace zelva {

// Event filter for the guarded cells: every key press that types a character asks the
// settings afresh, shows the warning with the plain style if there is one, and lets the
// key through, so the character is typed once the box is closed. Pasted text
// and text set by the program are not key presses and pass unseen.
class SeparatorGuard final : public QObject {
    Q_OBJECT
public:
    SeparatorGuard(RegionalSettingsSource settings, MessageBoxFn showMessageBox,
                   QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RegionalSettingsSource settings_;
    MessageBoxFn showMessageBox_;
};

} // namespace zelva
