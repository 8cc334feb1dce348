// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the system has a high-contrast theme on. Windows says so through
// SPI_GETHIGHCONTRAST; other systems keep the window's own colours. Never throws.
#pragma once

namespace zelva {

bool systemHighContrast();

} // namespace zelva
