// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/spoken_form.h"

#include <algorithm>
#include <array>
#include <utility>

#include "ui/window/separator_guard.h"

namespace zelva {

namespace {

// What the description says beyond the cell's tooltip: the cells that the form
// gives a tooltip have theirs continued, the others are described in full.
std::string_view detail(Cell cell)
{
    switch (cell) {
    case Cell::Latitude1:
    case Cell::Latitude2:
        return ", in gradi, positiva a nord.";
    case Cell::Longitude1:
    case Cell::Longitude2:
        return ", in gradi, positiva a est.";
    case Cell::Hours1:
    case Cell::Hours2:
        return "Orario della posizione: ore.";
    case Cell::Minutes1:
    case Cell::Minutes2:
        return "Orario della posizione: minuti.";
    case Cell::Seconds1:
    case Cell::Seconds2:
        return ". Orario della posizione: secondi.";
    case Cell::DistanceKm:
        return "Risultato: distanza in chilometri.";
    case Cell::DistanceM:
        return "Risultato: distanza in metri.";
    case Cell::SpeedMs:
        return "Risultato: velocità media in metri al secondo.";
    case Cell::SpeedKmh:
        return "Risultato: velocità media in chilometri orari.";
    case Cell::Interval:
        return "Risultato: tempo tra le due posizioni, in secondi.";
    case Cell::TimeOfDay1:
    case Cell::TimeOfDay2:
        return "Risultato: orario della posizione in secondi dalla mezzanotte.";
    case Cell::Latitude1Degrees:
    case Cell::Latitude2Degrees:
        return "Latitudine nord: gradi.";
    case Cell::Latitude1Minutes:
    case Cell::Latitude2Minutes:
        return "Latitudine nord: primi.";
    case Cell::Latitude1Seconds:
    case Cell::Latitude2Seconds:
        return "Latitudine nord: secondi.";
    case Cell::Longitude1Degrees:
    case Cell::Longitude2Degrees:
        return "Longitudine est: gradi.";
    case Cell::Longitude1Minutes:
    case Cell::Longitude2Minutes:
        return "Longitudine est: primi.";
    case Cell::Longitude1Seconds:
    case Cell::Longitude2Seconds:
        return "Longitudine est: secondi.";
    }
    return {};
}

// "caption value" for each cell that holds text, joined by "; ".
template <std::size_t N>
std::string spoken(const FieldTable& cells, const std::array<std::pair<std::string_view, Cell>, N>& items)
{
    std::string sentence;
    for (const auto& [caption, cell] : items) {
        const std::string value = cells.readCell(cell);
        if (value.empty())
            continue;
        if (!sentence.empty())
            sentence += "; ";
        sentence.append(caption).append(" ").append(value);
    }
    return sentence;
}

} // namespace

// Cells that the separator guard watches carry the hint too, so that a user who
// cannot see the hint labels hears it wherever it applies.
std::string cellDescription(Cell cell, std::string_view toolTip, std::string_view hint)
{
    std::string description(toolTip);
    description.append(detail(cell));
    if (!hint.empty() && std::find(kGuardedCells.begin(), kGuardedCells.end(), cell) != kGuardedCells.end())
        description.append(" ").append(hint);
    return description;
}

std::string resultsAnnouncement(const FieldTable& cells)
{
    // The captions beside the result cells, in reading order.
    static constexpr std::array<std::pair<std::string_view, Cell>, 5> kResults = {{
        {"Distanza Km", Cell::DistanceKm},
        {"m", Cell::DistanceM},
        {"Velocità m/s", Cell::SpeedMs},
        {"T (sec)", Cell::Interval},
        {"Velocità Km/h", Cell::SpeedKmh},
    }};
    return "Risultati: " + spoken(cells, kResults) + ".";
}

std::string positionsAnnouncement(const FieldTable& cells)
{
    static constexpr std::array<std::pair<std::string_view, Cell>, 4> kPositions = {{
        {"NORD, posizione 1:", Cell::Latitude1},
        {"EST, posizione 1:", Cell::Longitude1},
        {"NORD, posizione 2:", Cell::Latitude2},
        {"EST, posizione 2:", Cell::Longitude2},
    }};
    return "Coordinate: " + spoken(cells, kPositions) + ".";
}

} // namespace zelva
