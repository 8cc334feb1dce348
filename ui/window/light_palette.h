// SPDX-License-Identifier: GPL-3.0-or-later
// The window's colours. Its blue, red and dark red captions were chosen against
// a light grey window and white cells, so it is drawn in that light scheme on
// every system, whatever the desktop's; under a high-contrast theme it takes
// the system's colours throughout instead, as such a theme requires. Throws
// only std::bad_alloc.
#pragma once

class QWidget;

namespace zelva {

// Call once on the set-up form: `highContrast` is the system's answer to
// whether a high-contrast theme is on.
void applyFormColours(QWidget& form, bool highContrast);

} // namespace zelva
