// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/display_check.h"

namespace zelva {

bool displayMissing()
{
    return false;
}

} // namespace zelva
