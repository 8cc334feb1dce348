// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/display_check.h"

#include <cstdlib>

namespace zelva {

bool displayMissing()
{
    const auto unset = [](const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    return unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM");
}

} // namespace zelva
