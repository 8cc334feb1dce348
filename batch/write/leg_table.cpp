// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/write/leg_table.h"

#include <charconv>

#include "batch/fix/fix.h"
#include "batch/write/iso_time.h"
#include "calc/number_text.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kColumns[] = {"riga", "ora1_s", "ora2_s", "distanza_km", "distanza_m",
                                         "intervallo_s", "velocita_m_s", "velocita_km_h"};
constexpr std::string_view kSummaryColumns[] = {"riga", "posizioni", "inizio", "fine", "distanza_km", "durata_s",
                                                "in_movimento_s", "fermo_s", "velocita_media_km_h",
                                                "velocita_max_km_h", "passo_min_km", "salita_m", "discesa_m",
                                                "quota_min_m", "quota_max_m", "punti_anomali"};
// In riga, where a line sums the lines before it.
constexpr std::string_view kTotal = "totale";

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

void LegTable::appendRowStart(std::string& out, std::string_view file, std::optional<long> line) const
{
    if (fileColumn_) {
        appendField(out, file, fieldSeparator_);
        out += fieldSeparator_;
    }
    if (line)
        appendInteger(out, *line);
    else
        out += kTotal;
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
    const std::optional<double> speed = leg.speedMs();
    appendNumber(out, speed);
    appendNumber(out, kilometresPerHour(speed));
    out += '\n';
}

void LegTable::appendSummaryRow(std::string& out, std::string_view file, std::optional<long> line,
                                const TripFigures& trip) const
{
    appendRowStart(out, file, line);
    out += fieldSeparator_;
    appendInteger(out, trip.fixes);
    for (const std::optional<Instant>& moment : {trip.start, trip.end}) {
        out += fieldSeparator_;
        if (moment)
            appendIsoTime(out, *moment);
    }
    appendNumber(out, trip.distanceKm);
    // Without a leg with clocks there is no time, no speed and no spike to give.
    const auto timed = [&](std::int64_t nanoseconds) {
        return trip.timed ? std::optional(nanoseconds) : std::nullopt;
    };
    appendSeconds(out, timed(trip.elapsedNanoseconds));
    appendSeconds(out, timed(trip.movingNanoseconds));
    appendSeconds(out, timed(trip.stoppedNanoseconds));
    appendNumber(out, trip.meanKmh());
    appendNumber(out, trip.topKmh());
    appendNumber(out, trip.paceMinutesPerKm());
    appendNumber(out, trip.ascentM);
    appendNumber(out, trip.descentM);
    appendNumber(out, trip.lowestM);
    appendNumber(out, trip.highestM);
    out += fieldSeparator_;
    if (trip.timed)
        appendInteger(out, trip.spikes);
    out += '\n';
}

} // namespace zelva::batch
