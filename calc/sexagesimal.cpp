// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sexagesimal.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "calc/number_text.h"

namespace zelva {

namespace {

// degrees + minutes / 60 + seconds / 3600, each term with its own sign and any
// range, in decimal degrees; nullopt on overflow. -45 30 0 is -44.5, and 60
// minutes are simply one more degree: the typed values are used as they stand.
std::optional<double> decimalDegrees(double degrees, double minutes, double seconds)
{
    const double a = degrees + minutes / 60.0;
    const double r = a + seconds / 3600.0;
    if (!std::isfinite(a) || !std::isfinite(r))
        return std::nullopt;
    return r;
}

std::optional<double> convertRow(const FieldTable& cells, const SexagesimalCells& row,
                                 const NumberFormat& format)
{
    const std::optional<double> d = textToNumber(cells.readCell(row.degrees), format);
    const std::optional<double> m = textToNumber(cells.readCell(row.minutes), format);
    const std::optional<double> s = textToNumber(cells.readCell(row.seconds), format);
    if (!d || !m || !s)
        return std::nullopt;
    return decimalDegrees(*d, *m, *s);
}

} // namespace

void convertSexagesimal(FieldTable& cells, const RegionalSettingsSource& settings)
{
    const NumberFormat format = settings();

    // A failed row shows the empty text in the first three targets but 0 in the
    // last, which is held as a plain number.
    std::array<std::optional<double>, 3> firstRows;
    for (std::size_t i = 0; i < firstRows.size(); ++i)
        firstRows[i] = convertRow(cells, kSexagesimalRows[i], format);
    const double lastRow = convertRow(cells, kSexagesimalRows[3], format).value_or(0.0);

    for (std::size_t i = 0; i < firstRows.size(); ++i)
        cells.writeCell(kSexagesimalRows[i].decimal,
                        firstRows[i] ? numberToText(*firstRows[i], format) : std::string());
    cells.writeCell(kSexagesimalRows[3].decimal, numberToText(lastRow, format));
}

} // namespace zelva
