// SPDX-License-Identifier: GPL-3.0-or-later
// The seven result texts of a trip as the window's cells show them: each number
// in the cell's text, an unset result empty. May throw std::bad_alloc.
#pragma once

#include <string>

#include "calc/regional_settings.h"
#include "calc/trip.h"

namespace zelva {

struct TripTexts {
    std::string timeOfDay1, timeOfDay2, distanceKm, distanceM, interval, speedMs, speedKmh;
};

TripTexts tripTexts(const Trip& trip, const NumberFormat& format);
} // namespace zelva
