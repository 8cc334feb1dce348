// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zelva {

// Km on the 6371 km sphere between two fixes in degrees of 3.14159265/180 rad, folded exactly
// (a latitude past a pole onto the opposite meridian): within 1e-13, or 1e-12 km, of the exact
// arc; 0 for identical fixes, NaN for a non-finite one; the same bits on every SSE2 platform.
double greatCircleKm(double lat1, double lon1, double lat2, double lon2) noexcept;

} // namespace zelva
