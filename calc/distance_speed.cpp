// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/distance_speed.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "calc/trip.h"
#include "calc/trip_texts.h"

namespace zelva {

namespace {

constexpr std::string_view kMissingInput = "ERRORE! Non hai inserto i dati.";

} // namespace

bool computeDistanceAndSpeed(FieldTable& cells, const RegionalSettingsSource& settings,
                             const MessageBoxFn& showMessageBox)
{
    std::array<std::string, kCellCount> texts;
    bool missing = false;
    for (Cell cell : kCalculateInputs) {
        texts[indexOf(cell)] = cells.readCell(cell);
        missing = missing || texts[indexOf(cell)].empty();
    }
    if (missing) {
        showMessageBox(kMissingInput, MessageStyle::Error);
        return false;
    }

    const NumberFormat format = settings();
    // A text that is not a number counts as 0.
    const auto number = [&](Cell cell) {
        return textToNumber(texts[indexOf(cell)], format).value_or(0.0);
    };
    std::array<Fix, 2> fixes;
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const FixCells& from = kFixCells[i];
        fixes[i] = {number(from.latitude), number(from.longitude), number(from.hours),
                    number(from.minutes), number(from.seconds)};
    }
    const TripTexts results = tripTexts(computeTrip(fixes[0], fixes[1]), format);

    cells.writeCell(kFixCells[0].timeOfDay, results.timeOfDay1);
    cells.writeCell(kFixCells[1].timeOfDay, results.timeOfDay2);
    cells.writeCell(Cell::DistanceKm, results.distanceKm);
    cells.writeCell(Cell::DistanceM, results.distanceM);
    cells.writeCell(Cell::SpeedMs, results.speedMs);
    cells.writeCell(Cell::SpeedKmh, results.speedKmh);
    cells.writeCell(Cell::Interval, results.interval);
    return true;
}

} // namespace zelva
