// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/write/leg_table.h"

#include <charconv>

#include "batch/fix/fix.h"
#include "calc/number_text.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kColumns[] = {"riga", "ora1_s", "ora2_s", "distanza_km", "distanza_m",
                                         "intervallo_s", "velocita_m_s", "velocita_km_h"};
constexpr std::string_view kSummaryColumns[] = {"riga", "posizioni", "distanza_km", "durata_s",
                                                "velocita_media_km_h", "velocita_max_km_h"};

void appendInteger(std::string& out, std::int64_t value)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// A file name as a spreadsheet reads it: quoted, quotes doubled, when it holds
// the separator, a quote or a line end.
void appendField(std::string& out, std::string_view text, char separator)
{
    if (text.find_first_of(std::string{separator} + "\"\r\n") == std::string_view::npos) {
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

void LegTable::appendRowStart(std::string& out, std::string_view file, long line) const
{
    if (fileColumn_) {
        appendField(out, file, fieldSeparator_);
        out += fieldSeparator_;
    }
    appendInteger(out, line);
}

void LegTable::appendNumber(std::string& out, const std::optional<double>& value) const
{
    out += fieldSeparator_;
    if (value)
        appendNumberText(out, *value, format_);
}

// Seconds written out from the exact nanoseconds: no digit that the input did
// not have, and none of its digits lost.
void LegTable::appendSeconds(std::string& out, const std::optional<std::int64_t>& nanoseconds) const
{
    out += fieldSeparator_;
    if (!nanoseconds)
        return;
    std::int64_t ns = *nanoseconds;
    if (ns < 0) {
        out += '-';
        ns = -ns;
    }
    appendInteger(out, ns / kNanosecondsPerSecond);
    std::int64_t fraction = ns % kNanosecondsPerSecond;
    if (fraction == 0)
        return;
    out += format_.decimalSeparator;
    char digits[9];
    for (int i = 8; i >= 0; --i, fraction /= 10)
        digits[i] = static_cast<char>('0' + fraction % 10);
    std::size_t length = 9;
    while (digits[length - 1] == '0')
        --length;
    out.append(digits, length);
}

void LegTable::appendRow(std::string& out, std::string_view file, const Leg& leg) const
{
    appendRowStart(out, file, leg.line());
    // Without an interval the times say nothing of the leg: the distance alone.
    const bool timed = leg.intervalNanoseconds.has_value();
    appendSeconds(out, timed ? std::optional(leg.from.clock->nanoseconds) : std::nullopt);
    appendSeconds(out, timed ? std::optional(leg.to.clock->nanoseconds) : std::nullopt);
    appendNumber(out, leg.distanceKm);
    appendNumber(out, leg.distanceM());
    appendSeconds(out, leg.intervalNanoseconds);
    appendNumber(out, leg.speedMs());
    appendNumber(out, leg.speedKmh());
    out += '\n';
}

void LegTable::appendSummaryRow(std::string& out, std::string_view file, const ListSummary& list) const
{
    appendRowStart(out, file, list.line);
    out += fieldSeparator_;
    appendInteger(out, list.fixes);
    appendNumber(out, list.distanceKm);
    // Without a leg with clocks there is no time and no speed to give.
    appendSeconds(out, list.anyTimed ? std::optional(list.durationNanoseconds) : std::nullopt);
    appendNumber(out, list.meanKmh());
    appendNumber(out, list.fastestKmh);
    out += '\n';
}

} // namespace zelva::batch
