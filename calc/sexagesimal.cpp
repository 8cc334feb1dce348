// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sexagesimal.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"

namespace zelva {

namespace {

struct ConversionRow {
    std::string_view degrees;
    std::string_view minutes;
    std::string_view seconds;
    std::string_view target;
};

constexpr std::array<ConversionRow, 4> kRows = {{
    {"Text18", "Text19", "Text20", "Text1"},
    {"Text21", "Text22", "Text23", "Text2"},
    {"Text24", "Text25", "Text26", "Text3"},
    {"Text27", "Text28", "Text29", "Text4"},
}};

// Each term keeps its own sign and range: -45 30 0 is -44.5, and 60 minutes are
// simply one more degree.
std::optional<double> convertRow(const FieldTable& cells, const ConversionRow& row,
                                 const NumberFormat& format)
{
    const std::optional<double> d = textToNumber(cells.readCell(row.degrees), format);
    const std::optional<double> m = textToNumber(cells.readCell(row.minutes), format);
    const std::optional<double> s = textToNumber(cells.readCell(row.seconds), format);
    if (!d || !m || !s)
        return std::nullopt;
    const double a = *d + *m / 60.0;
    const double r = a + *s / 3600.0;
    if (!std::isfinite(a) || !std::isfinite(r))
        return std::nullopt;
    return r;
}

} // namespace

void convertSexagesimal(FieldTable& cells, const RegionalSettingsSource& settings)
{
    const NumberFormat format = settings();

    // A failed row shows the empty text in the first three targets but 0 in the
    // last, which is held as a plain number.
    std::array<std::optional<double>, 3> firstRows;
    for (std::size_t i = 0; i < firstRows.size(); ++i)
        firstRows[i] = convertRow(cells, kRows[i], format);
    const double lastRow = convertRow(cells, kRows[3], format).value_or(0.0);

    for (std::size_t i = 0; i < firstRows.size(); ++i)
        cells.writeCell(kRows[i].target, firstRows[i] ? numberToText(*firstRows[i], format) : std::string());
    cells.writeCell(kRows[3].target, numberToText(lastRow, format));
}

} // namespace zelva
