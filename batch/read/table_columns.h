// SPDX-License-Identifier: GPL-3.0-or-later
// The table of one input as loggers and spreadsheets write it. A first line
// "sep=X" (quoted or not, padded with separators as sheets export it) sets the
// separator for the rest. A header that names its columns - latitude,
// longitude, and a time, date and time, or hours, minutes and seconds, and an
// elevation, in any order, in English or Italian - makes each row a fix of
// those columns, the others passed over; the time is an ISO 8601 date-time or
// hh:mm:ss[.f] (with a date column, DD/MM/YYYY or YYYY-MM-DD). Without a time
// column the fixes have no clock. Any other header is passed over and rows
// are read as table_row.h says; so is a header of the window's five columns
// in their order, so that rows of ten numbers stay pairs.
// Throws only std::bad_alloc.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/read/line_value.h"
#include "batch/read/table_row.h"

namespace zelva::batch {

class TableColumns {
public:
    // A table line (blanks trimmed, not Blank, no sentence). headerAllowed:
    // no line but blank ones read yet. A "sep=" line is Blank, a header Ignored.
    LineValue read(std::string_view line, bool headerAllowed, unsigned bits)
    {
        // The usual rows go straight on: this runs for every row.
        if (!headerAllowed && !byColumns_)
            return readTableRow(line, false, bits, separator_);
        return readOther(line, headerAllowed, bits);
    }

private:
    // What a column holds: latitude, longitude, time, date, hours, minutes,
    // seconds, elevation, in this order (table_columns.cpp).
    static constexpr std::size_t kRoles = 8;

    struct Column {
        std::size_t index = 0;
        std::string name;  // as the header writes it, for the messages
    };

    LineValue readOther(std::string_view line, bool headerAllowed, unsigned bits);
    bool readHeader(std::string_view line, unsigned bits);
    LineValue readRow(std::string_view line, unsigned bits);
    std::optional<LineError> readClock(Fix& fix) const;
    std::optional<std::string_view> field(std::size_t role) const;
    LineError missing(std::size_t role) const;
    LineError notA(std::size_t role, std::string_view what) const;
    // The role's field as a number into out, or why it is none.
    std::optional<LineError> number(std::size_t role, double& out) const;

    std::optional<char> separator_;  // from a "sep=" line
    bool byColumns_ = false;
    char columnSeparator_ = kBlankSeparator;
    std::array<std::optional<Column>, kRoles> columns_;
    std::vector<std::string_view> fields_;  // of the row being read
};

} // namespace zelva::batch
