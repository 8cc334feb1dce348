// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers are given beyond Qt's defaults: every normal line edit
// exposes its text as one run and one line (Qt 6.4's own interface answers
// attribute queries with empty runs, and Orca then reads a value short of its
// last character), and the program's main window has the role of a window, with
// its description. Install before the window is built; may throw std::bad_alloc.
#pragma once

namespace zelva {

void installAccessibleForm();

} // namespace zelva
