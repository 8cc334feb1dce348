// SPDX-License-Identifier: GPL-3.0-or-later
// Logs and tables, line by line: NMEA sentences (the sentences of one clock
// time are one epoch, held until the next epoch begins, since a later sentence
// may still bring its date), rows of 5 numbers (a fix) and of 10 (a pair) or
// of a header's columns (table_columns.h), and lines of other protocols passed
// over. The whole input is one list. Each line is judged by readLine; each
// line that cannot be used is one rejection.
// Throws only std::bad_alloc and what the sinks throw.
#pragma once

#include <optional>
#include <string_view>

#include "batch/read/line_splitter.h"
#include "batch/read/line_value.h"
#include "batch/read/reader.h"
#include "batch/read/table_columns.h"

namespace zelva::batch {

// headerAllowed: no line of the input has been read but blank ones, so a line
// of names is a header. table: what the input's first lines said of its
// table, which this line may set.
LineValue readLine(std::string_view line, bool headerAllowed, TableColumns& table);
// A line alone, as the first line of a table or a line after it.
LineValue readLine(std::string_view line, bool headerAllowed);

class LineInput final : public Reader {
public:
    LineInput(FixSink& fixes, RejectionSink& rejections) : fixes_(fixes), rejections_(rejections) {}

    bool feed(std::string_view bytes) override;
    void finish(bool cut) override;

private:
    void readLines();
    void take(const Line& line);
    void epochFix(const Fix& fix);
    void epochDate(const EpochDate& date);
    void endEpoch();

    FixSink& fixes_;
    RejectionSink& rejections_;
    LineSplitter lines_;
    bool headerAllowed_ = true;
    TableColumns table_;
    std::optional<Fix> epoch_;            // the epoch being read
    std::optional<EpochDate> loneDate_;   // a date whose epoch has no fix yet
};

} // namespace zelva::batch
