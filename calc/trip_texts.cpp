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

void appendTripTexts(std::string& out, const Trip& trip, const NumberFormat& format, char separator)
{
    const std::optional<double> values[] = {trip.timeOfDay1, trip.timeOfDay2, trip.distanceKm, trip.distanceM,
                                            trip.interval, trip.speedMs, trip.speedKmh};
    if (format.decimalSeparator.size() > kLongestSeparator) {
        for (const std::optional<double>& value : values) {
            out += separator;
            if (value)
                appendNumberText(out, *value, format);
        }
        return;
    }
    // Written into one buffer and added at once: this runs for every leg.
    char text[std::size(values) * (kLongestNumberText + 1)];
    char* end = text;
    for (const std::optional<double>& value : values) {
        *end++ = separator;
        if (value)
            end = writeNumberText(end, *value, format);
    }
    out.append(text, end);
}

} // namespace zelva
