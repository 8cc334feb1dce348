// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window/separator_guard.h"

#include <utility>

#include <QEvent>
#include <QKeyEvent>

#include "calc/decimal_separator.h"

namespace zelva {

SeparatorGuard::SeparatorGuard(RegionalSettingsSource settings, MessageBoxFn showMessageBox,
                               QObject* parent)
    : QObject(parent), settings_(std::move(settings)), showMessageBox_(std::move(showMessageBox))
{
}

bool SeparatorGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<const QKeyEvent*>(event)->text();
        if (text.size() == 1) {
            const auto warning =
                separatorWarning(detectDecimalSeparator(settings_()), text[0].unicode());
            if (warning)
                showMessageBox_(*warning, MessageStyle::Plain);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zelva
