// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/trip_texts.h"

#include <optional>

#include "calc/number_text.h"

namespace zelva {

namespace {

std::string textOf(const std::optional<double>& v, const NumberFormat& format)
{
    return v ? numberToText(*v, format) : std::string();
}

} // namespace

TripTexts tripTexts(const Trip& trip, const NumberFormat& format)
{
    return {textOf(trip.timeOfDay1, format), textOf(trip.timeOfDay2, format),
            numberToText(trip.distanceKm, format), numberToText(trip.distanceM, format),
            numberToText(trip.interval, format), textOf(trip.speedMs, format),
            textOf(trip.speedKmh, format)};
}

} // namespace zelva
