// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/line_input.h"

#include <string>
#include <type_traits>
#include <variant>

#include "batch/read/fields.h"
#include "batch/read/input_bytes.h"
#include "batch/read/nmea_sentence.h"

namespace zelva::batch {

LineValue readLine(std::string_view line, bool headerAllowed, TableColumns& table)
{
    // A serial capture starts mid-sentence or with NULs, and UBX bytes may
    // run into the next sentence: a sentence is taken from its '$', which no
    // sentence holds inside. NUL bytes and other control characters belong to
    // no sentence and no table; a binary file ends here, line by line, with
    // one message each. One pass finds both: this runs for every line.
    unsigned bits = lineBits(line);
    if (bits & kDollar) {
        // Forward, by memchr: a sentence's only '$' is its first byte.
        std::size_t dollar = line.find('$');
        for (std::size_t next; (next = line.find('$', dollar + 1)) != std::string_view::npos;)
            dollar = next;
        line.remove_prefix(dollar);
        if (bits & kControlByte)
            bits = lineBits(line);
    } else if (line.starts_with(kUbxSync)) {
        return Ignored{};  // a UBX frame cut short by the end of the input
    }
    if (bits & kControlByte)
        return LineError{"la riga contiene caratteri di controllo (file binario?)"};

    line = trimBlanks(line);
    if (line.empty() || line.front() == '#')
        return Blank{};
    switch (line.front()) {
    case '$':
        return readSentence(line);
    case '!':  // AIS, from another receiver
    case '{':  // gpsd's JSON reports
        return Ignored{};
    default:
        return table.read(line, headerAllowed, bits);
    }
}

LineValue readLine(std::string_view line, bool headerAllowed)
{
    TableColumns table;
    return readLine(line, headerAllowed, table);
}

bool LineInput::feed(std::string_view bytes)
{
    lines_.feed(bytes);
    readLines();
    return true;
}

// A stop or a failed read ends the input as its end would: the held epoch is known.
void LineInput::finish(bool cut)
{
    lines_.finish(cut);
    readLines();
    endEpoch();
}

void LineInput::readLines()
{
    while (const std::optional<Line> line = lines_.next())
        take(*line);
}

void LineInput::take(const Line& line)
{
    if (line.tooLong) {
        headerAllowed_ = false;
        return rejections_.rejected(
            {line.number, "riga troppo lunga (oltre " + std::to_string(LineSplitter::kMaxLine) + " byte), saltata"});
    }
    LineValue value = readLine(line.text, headerAllowed_, table_);
    if (std::holds_alternative<Blank>(value))
        return;
    headerAllowed_ = false;
    std::visit(
        [&](auto& read) {
            using T = std::decay_t<decltype(read)>;
            if constexpr (std::is_same_v<T, LineError>) {
                rejections_.rejected({line.number, std::move(read.reason)});
            } else if constexpr (std::is_same_v<T, EpochFix>) {
                read.fix.line = line.number;
                epochFix(read.fix);
            } else if constexpr (std::is_same_v<T, EpochDate>) {
                epochDate(read);
            } else if constexpr (std::is_same_v<T, RowFix>) {
                endEpoch();
                read.fix.line = line.number;
                fixes_.fix(read.fix);
            } else if constexpr (std::is_same_v<T, RowPair>) {
                // A pair is a leg by itself; the held epoch ends first, so
                // that rows stay in input order.
                endEpoch();
                read.first.line = read.second.line = line.number;
                fixes_.pair(read.first, read.second);
            }
        },
        value);
}

// A sentence of the held epoch's clock time and date adds its date and
// altitude to it; any other begins the next epoch.
void LineInput::epochFix(const Fix& fix)
{
    if (epoch_ && epoch_->clock->nanoseconds == fix.clock->nanoseconds
        && !(epoch_->clock->date && fix.clock->date && *epoch_->clock->date != *fix.clock->date)) {
        if (!epoch_->clock->date)
            epoch_->clock->date = fix.clock->date;
        if (!epoch_->elevation)
            epoch_->elevation = fix.elevation;
        return;
    }
    endEpoch();
    epoch_ = fix;
    if (loneDate_ && !fix.clock->date && loneDate_->nanoseconds == fix.clock->nanoseconds)
        epoch_->clock->date = loneDate_->date;
    loneDate_.reset();
}

void LineInput::epochDate(const EpochDate& date)
{
    if (epoch_ && epoch_->clock->nanoseconds == date.nanoseconds) {
        if (!epoch_->clock->date)
            epoch_->clock->date = date.date;
        return;
    }
    // A date at another time begins the next epoch.
    endEpoch();
    loneDate_ = date;
}

void LineInput::endEpoch()
{
    if (!epoch_)
        return;
    const Fix fix = *epoch_;
    epoch_.reset();
    fixes_.fix(fix);
}

} // namespace zelva::batch
