// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/leg_table.h"

#include <charconv>

#include "calc/number_text.h"
#include "calc/trip_texts.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kColumns[] = {"riga", "ora1_s", "ora2_s", "distanza_km", "distanza_m",
                                         "intervallo_s", "velocita_m_s", "velocita_km_h"};
constexpr std::string_view kSummaryColumns[] = {"riga", "posizioni", "distanza_km", "durata_s",
                                                "velocita_media_km_h", "velocita_max_km_h"};

} // namespace

LegTable::LegTable(DecimalSeparator separator, bool fileColumn)
    : format_(separator == DecimalSeparator::Comma ? NumberFormat{",", ""} : NumberFormat{".", ""}),
      fieldSeparator_(separator == DecimalSeparator::Comma ? ';' : ','),
      fileColumn_(fileColumn)
{
}

void LegTable::appendHeader(std::string& out) const
{
    appendColumns(out, kColumns, std::size(kColumns));
}

void LegTable::appendSummaryHeader(std::string& out) const
{
    appendColumns(out, kSummaryColumns, std::size(kSummaryColumns));
}

void LegTable::appendColumns(std::string& out, const std::string_view* columns, std::size_t count) const
{
    if (fileColumn_) {
        out += "file";
        out += fieldSeparator_;
    }
    for (std::size_t i = 0; i < count; ++i) {
        out += columns[i];
        out += i + 1 == count ? '\n' : fieldSeparator_;
    }
}

void LegTable::appendSummaryRow(std::string& out, std::string_view file, const ListSummary& list) const
{
    appendRowStart(out, file, list.line);
    out += fieldSeparator_;
    appendInteger(out, list.fixes);
    out += fieldSeparator_;
    appendNumberText(out, list.distanceKm, format_);
    // Without a leg with clocks there is no time and no speed to give.
    appendNumber(out, list.anyTimed ? std::optional<double>(list.durationS) : std::nullopt);
    appendNumber(out, list.meanKmh());
    appendNumber(out, list.fastestKmh);
    out += '\n';
}

void LegTable::appendNumber(std::string& out, const std::optional<double>& value) const
{
    out += fieldSeparator_;
    if (value)
        appendNumberText(out, *value, format_);
}

// The file's field, where there is one, and the line's.
void LegTable::appendRowStart(std::string& out, std::string_view file, long line) const
{
    if (fileColumn_) {
        appendField(out, file);
        out += fieldSeparator_;
    }
    appendInteger(out, line);
}

void LegTable::appendInteger(std::string& out, long value)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void LegTable::appendRow(std::string& out, std::string_view file, const Leg& leg) const
{
    appendRowStart(out, file, leg.line);
    if (leg.timed) {
        appendTripTexts(out, leg.trip, format_, fieldSeparator_);
    } else {
        // Without clocks only the distance is known: no times, interval or speeds.
        out += fieldSeparator_;
        out += fieldSeparator_;
        out += fieldSeparator_;
        appendNumberText(out, leg.trip.distanceKm, format_);
        out += fieldSeparator_;
        appendNumberText(out, leg.trip.distanceM, format_);
        out.append(3, fieldSeparator_);
    }
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
