// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/system_settings.h"

#include <QLocale>
#include <QString>

namespace zelva {

NumberFormat systemNumberFormat()
{
    const QLocale system = QLocale::system();
    return NumberFormat{system.decimalPoint().toStdString(),
                        system.groupSeparator().toStdString()};
}

} // namespace zelva
