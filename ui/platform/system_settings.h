// SPDX-License-Identifier: GPL-3.0-or-later
// The user's regional number settings as the system locale gives them: decimal
// point and group separator (UTF-8), read afresh at every call. Throws only
// std::bad_alloc.
#pragma once

#include "calc/regional_settings.h"

namespace zelva {

// Usable directly as a RegionalSettingsSource.
NumberFormat systemNumberFormat();

} // namespace zelva
