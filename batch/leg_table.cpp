// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/leg_table.h"

#include <charconv>

#include "calc/trip_texts.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kColumns[] = {"riga", "ora1_s", "ora2_s", "distanza_km", "distanza_m",
                                         "intervallo_s", "velocita_m_s", "velocita_km_h"};

} // namespace

LegTable::LegTable(DecimalSeparator separator, bool fileColumn)
    : format_(separator == DecimalSeparator::Comma ? NumberFormat{",", ""} : NumberFormat{".", ""}),
      fieldSeparator_(separator == DecimalSeparator::Comma ? ';' : ','),
      fileColumn_(fileColumn)
{
}

void LegTable::appendHeader(std::string& out) const
{
    if (fileColumn_) {
        out += "file";
        out += fieldSeparator_;
    }
    for (const std::string_view column : kColumns) {
        out += column;
        out += column == kColumns[std::size(kColumns) - 1] ? '\n' : fieldSeparator_;
    }
}

void LegTable::appendRow(std::string& out, std::string_view file, const Leg& leg) const
{
    if (fileColumn_) {
        appendField(out, file);
        out += fieldSeparator_;
    }
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, leg.line).ptr);
    appendTripTexts(out, leg.trip, format_, fieldSeparator_);
    out += '\n';
}

// A file name as a spreadsheet reads it: quoted, quotes doubled, when it holds
// the separator, a quote or a line end.
void LegTable::appendField(std::string& out, std::string_view text) const
{
    if (text.find_first_of(std::string{fieldSeparator_} + "\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace zelva::batch
