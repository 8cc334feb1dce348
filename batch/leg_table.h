// SPDX-License-Identifier: GPL-3.0-or-later
// The output table: a header line, then one line per leg with the seven
// results as the window's cells show them, an unset one empty; or, as a
// summary, one line per list. Fields are split
// by ';' under a decimal comma and by ',' under a decimal point; with several
// inputs a first column names the input of each row. LF line ends on every
// system. Throws only std::bad_alloc.
#pragma once

#include <string>
#include <string_view>

#include "batch/leg_builder.h"
#include "batch/list_summary.h"
#include "calc/decimal_separator.h"
#include "calc/regional_settings.h"

namespace zelva::batch {

class LegTable {
public:
    // Neither is written as Point.
    LegTable(DecimalSeparator separator, bool fileColumn);

    void appendHeader(std::string& out) const;
    void appendRow(std::string& out, std::string_view file, const Leg& leg) const;
    // --riepilogo: one line per list instead of one per leg.
    void appendSummaryHeader(std::string& out) const;
    void appendSummaryRow(std::string& out, std::string_view file, const ListSummary& list) const;

private:
    void appendField(std::string& out, std::string_view text) const;
    void appendColumns(std::string& out, const std::string_view* columns, std::size_t count) const;
    void appendNumber(std::string& out, const std::optional<double>& value) const;
    void appendRowStart(std::string& out, std::string_view file, long line) const;
    static void appendInteger(std::string& out, long value);

    NumberFormat format_;
    char fieldSeparator_;
    bool fileColumn_;
};

} // namespace zelva::batch
