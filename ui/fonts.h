// SPDX-License-Identifier: GPL-3.0-or-later
// Font faces for the window: the form asks for "MS Sans Serif", which few systems
// outside Windows have; a metric-compatible face keeps every caption inside its
// control. Call once before the window is built. Never fails.
#pragma once

class QWidget;

namespace zelva {

void installFontSubstitutes();

// The form file can hold only whole points: gives the form its 8.25 pt, which every
// control without a size of its own inherits. Call right after setupUi.
void applyFormFontSize(QWidget& form);

} // namespace zelva
