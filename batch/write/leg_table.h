// SPDX-License-Identifier: GPL-3.0-or-later
// The output table's lines: a header, then one line per leg with its times of
// day, distance, interval and speeds, an unknown one empty; or, as a summary,
// one line per list or total, with what a trip summary gives (trip_figures.h).
// Distances, speeds and heights are in the window's number text, times exactly
// as the input gave them, moments in ISO 8601. Fields are split by ';' under a decimal
// comma and by ',' under a decimal point; with several inputs a first column
// names the input of each line. LF line ends on every system. Throws only
// std::bad_alloc.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "batch/legs/leg.h"
#include "batch/summary/trip_figures.h"
#include "calc/decimal_separator.h"
#include "calc/regional_settings.h"

namespace zelva::batch {

class LegTable {
public:
    // Neither is written as Point.
    LegTable(DecimalSeparator separator, bool fileColumn);

    void appendHeader(std::string& out) const;
    void appendRow(std::string& out, std::string_view file, const Leg& leg) const;
    void appendSummaryHeader(std::string& out) const;
    // line: where the list's first fix begins; none for a total.
    void appendSummaryRow(std::string& out, std::string_view file, std::optional<long> line,
                          const TripFigures& trip) const;

private:
    void appendColumns(std::string& out, const std::string_view* columns, std::size_t count) const;
    void appendRowStart(std::string& out, std::string_view file, std::optional<long> line) const;
    void appendNumber(std::string& out, const std::optional<double>& value) const;
    void appendSeconds(std::string& out, const std::optional<std::int64_t>& nanoseconds) const;

    NumberFormat format_;
    char fieldSeparator_;
    bool fileColumn_;
};

} // namespace zelva::batch
