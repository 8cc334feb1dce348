// SPDX-License-Identifier: GPL-3.0-or-later
// The window's face: the form was drawn in "MS Sans Serif", which few systems
// outside Windows have; there a metric-compatible face takes its place, so every
// caption stays inside its control. Never fails.
#pragma once

class QWidget;

namespace zelva {

// Gives the form its face, bold, at 8.25 pt (a form file holds only whole points):
// "MS Sans Serif" where the system has it, else the first of Liberation Sans and
// Arial that it has, else "MS Sans Serif" again. Every control without a font of
// its own inherits it. Call before setupUi.
void applyFormFont(QWidget& form);

} // namespace zelva
