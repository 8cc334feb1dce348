// SPDX-License-Identifier: GPL-3.0-or-later
// The 29 text cells by what they hold; the table below is the only place that
// spells a cell's control name. Constant data; nothing here fails.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zelva {

// In control-name order: Text1 is the first, Text29 the last.
enum class Cell {
    Latitude1, Longitude1, Latitude2, Longitude2,
    DistanceKm, DistanceM,
    Seconds1, Seconds2,
    SpeedKmh,
    Minutes1,
    SpeedMs,
    Hours1, Hours2, Minutes2,
    Interval,
    TimeOfDay1, TimeOfDay2,
    Latitude1Degrees, Latitude1Minutes, Latitude1Seconds,
    Longitude1Degrees, Longitude1Minutes, Longitude1Seconds,
    Latitude2Degrees, Latitude2Minutes, Latitude2Seconds,
    Longitude2Degrees, Longitude2Minutes, Longitude2Seconds,
};

struct CellInfo {
    Cell cell;
    std::string_view control;  // the QLineEdit's object name in the form
};

inline constexpr int kCellCount = 29;

inline constexpr std::array<CellInfo, kCellCount> kCells = {{
    {Cell::Latitude1, "Text1"}, {Cell::Longitude1, "Text2"}, {Cell::Latitude2, "Text3"},
    {Cell::Longitude2, "Text4"}, {Cell::DistanceKm, "Text5"}, {Cell::DistanceM, "Text6"},
    {Cell::Seconds1, "Text7"}, {Cell::Seconds2, "Text8"}, {Cell::SpeedKmh, "Text9"},
    {Cell::Minutes1, "Text10"}, {Cell::SpeedMs, "Text11"}, {Cell::Hours1, "Text12"},
    {Cell::Hours2, "Text13"}, {Cell::Minutes2, "Text14"}, {Cell::Interval, "Text15"},
    {Cell::TimeOfDay1, "Text16"}, {Cell::TimeOfDay2, "Text17"}, {Cell::Latitude1Degrees, "Text18"},
    {Cell::Latitude1Minutes, "Text19"}, {Cell::Latitude1Seconds, "Text20"}, {Cell::Longitude1Degrees, "Text21"},
    {Cell::Longitude1Minutes, "Text22"}, {Cell::Longitude1Seconds, "Text23"}, {Cell::Latitude2Degrees, "Text24"},
    {Cell::Latitude2Minutes, "Text25"}, {Cell::Latitude2Seconds, "Text26"}, {Cell::Longitude2Degrees, "Text27"},
    {Cell::Longitude2Minutes, "Text28"}, {Cell::Longitude2Seconds, "Text29"},
}};

constexpr std::size_t indexOf(Cell cell)
{
    return static_cast<std::size_t>(cell);
}

constexpr std::string_view controlName(Cell cell)
{
    return kCells[indexOf(cell)].control;
}

// "Text7" -> Cell::Seconds1; any other text -> nullopt.
constexpr std::optional<Cell> cellNamed(std::string_view control)
{
    for (const CellInfo& info : kCells)
        if (info.control == control)
            return info.cell;
    return std::nullopt;
}

// The cells of one fix as the window lays them out and the report prints them.
struct FixCells {
    Cell latitude, longitude, hours, minutes, seconds, timeOfDay;
};

inline constexpr std::array<FixCells, 2> kFixCells = {{
    {Cell::Latitude1, Cell::Longitude1, Cell::Hours1, Cell::Minutes1, Cell::Seconds1, Cell::TimeOfDay1},
    {Cell::Latitude2, Cell::Longitude2, Cell::Hours2, Cell::Minutes2, Cell::Seconds2, Cell::TimeOfDay2},
}};

// The ten inputs of "&Calcola", in the order the check for an empty one reads them.
inline constexpr std::array<Cell, 10> kCalculateInputs = {
    Cell::Latitude1, Cell::Longitude1, Cell::Latitude2, Cell::Longitude2, Cell::Seconds1,
    Cell::Seconds2, Cell::Minutes1, Cell::Hours1, Cell::Hours2, Cell::Minutes2,
};

// The results the report copies, in the order of its lines.
inline constexpr std::array<Cell, 5> kReportResults = {
    Cell::DistanceKm, Cell::DistanceM, Cell::SpeedKmh, Cell::SpeedMs, Cell::Interval,
};

// One position as degrees, minutes and seconds, and the decimal degrees it becomes.
struct SexagesimalCells {
    Cell degrees, minutes, seconds, decimal;
};

inline constexpr std::array<SexagesimalCells, 4> kSexagesimalRows = {{
    {Cell::Latitude1Degrees, Cell::Latitude1Minutes, Cell::Latitude1Seconds, Cell::Latitude1},
    {Cell::Longitude1Degrees, Cell::Longitude1Minutes, Cell::Longitude1Seconds, Cell::Longitude1},
    {Cell::Latitude2Degrees, Cell::Latitude2Minutes, Cell::Latitude2Seconds, Cell::Latitude2},
    {Cell::Longitude2Degrees, Cell::Longitude2Minutes, Cell::Longitude2Seconds, Cell::Longitude2},
}};

// The table is in enum order, so indexOf and the table agree.
static_assert([] {
    for (std::size_t i = 0; i < kCells.size(); ++i)
        if (indexOf(kCells[i].cell) != i)
            return false;
    return true;
}());

} // namespace zelva
