// SPDX-License-Identifier: GPL-3.0-or-later
// The light colours the window is drawn in on every system. Its blue, red and
// dark red captions were chosen against a light grey window and white cells, so
// a dark desktop scheme would leave them unreadable.
#pragma once

#include <QPalette>

namespace zelva {

QPalette lightPalette();

} // namespace zelva
