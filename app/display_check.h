// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the window surely has no display to open on: on Linux, when none of
// DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM is set to a non-empty value;
// on other systems, whose window system needs no such variable, never.
// Never throws.
#pragma once

namespace zelva {

bool displayMissing();

} // namespace zelva
