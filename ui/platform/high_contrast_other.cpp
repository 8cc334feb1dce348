// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/high_contrast.h"

namespace zelva {

bool systemHighContrast()
{
    return false;
}

} // namespace zelva
