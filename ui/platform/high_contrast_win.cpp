// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/high_contrast.h"

#include <windows.h>

namespace zelva {

bool systemHighContrast()
{
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, settings.cbSize, &settings, 0)
        && (settings.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace zelva
