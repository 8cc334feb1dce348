// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/table_row.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>

#include "batch/fix/clock.h"
#include "batch/read/fields.h"
#include "batch/read/table_values.h"
#include "calc/number_text.h"

namespace zelva::batch {

namespace {

constexpr std::size_t kPairFields = 10;
constexpr std::size_t kFixFields = 5;
constexpr std::size_t kTimeNumbers = 3;  // a time field's hours, minutes and seconds
constexpr std::string_view kBlanks = " \t";
constexpr char kAtBlanks = kBlankSeparator;

// A row's fields, and how many there are up to the last one not empty.
struct Row : Fields<kPairFields> {
    std::size_t used = 0;

    void add(std::string_view field)
    {
        Fields::add(field);
        if (!field.empty())
            used = count;
    }
};

// Every field, for a table by columns.
struct FieldList {
    std::vector<std::string_view>& at;

    void add(std::string_view field) { at.push_back(field); }
};

const char* skipBlanks(const char* p, const char* end)
{
    while (p != end && isBlank(*p))
        ++p;
    return p;
}

// Which of ';' and ',' stand outside double quotes, and whether there are any.
struct Shape {
    bool semicolon = false;
    bool comma = false;
    bool quotes = false;
};

Shape shapeOf(std::string_view line, unsigned bits)
{
    if (!(bits & kQuote))
        return {(bits & kSemicolon) != 0, (bits & kComma) != 0, false};
    Shape shape;
    shape.quotes = true;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            shape.semicolon = shape.semicolon || c == ';';
            shape.comma = shape.comma || c == ',';
        }
    }
    return shape;
}

// Fields without quotes at a separator, each without the blanks around it.
template <class Out>
void splitPlain(std::string_view line, char separator, Out& fields)
{
    const char* p = line.data();
    const char* const end = p + line.size();
    for (;;) {
        const char* stop = static_cast<const char*>(std::memchr(p, separator, static_cast<std::size_t>(end - p)));
        if (!stop)
            stop = end;
        fields.add(trimBlanks({p, static_cast<std::size_t>(stop - p)}));
        if (stop == end)
            return;
        p = stop + 1;
    }
}

// Fields without quotes at runs of blanks.
template <class Out>
void splitPlainBlanks(std::string_view line, Out& fields)
{
    const char* p = line.data();
    const char* const end = p + line.size();
    for (;;) {
        p = skipBlanks(p, end);
        if (p == end)
            return;
        const char* const start = p;
        while (p != end && !isBlank(*p))
            ++p;
        fields.add({start, static_cast<std::size_t>(p - start)});
    }
}

// The fields at a separator, each without the blanks around it, a quoted one
// without its quotes ("" inside stays doubled: no number holds a quote). A
// quoted field with more text after its closing quote is kept whole, quotes
// and all, so that it is no number.
template <class Out>
void splitQuoted(std::string_view line, char separator, Out& fields)
{
    const std::size_t n = line.size();
    std::size_t i = 0;
    for (;;) {
        while (i < n && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        std::string_view field;
        if (i < n && line[i] == '"') {
            std::size_t close = i + 1;
            while ((close = line.find('"', close)) != std::string_view::npos && close + 1 < n
                   && line[close + 1] == '"')
                close += 2;
            close = std::min(close, n);
            field = line.substr(i + 1, close - i - 1);
            i = std::min(close + 1, n);
            while (i < n && isBlank(line[i]) && separator != kAtBlanks)
                ++i;
            if (i < n && line[i] != separator && !(separator == kAtBlanks && isBlank(line[i]))) {
                i = std::min(line.find(separator, i), n);
                field = trimBlanks(line.substr(start, i - start));
            }
        } else {
            i = std::min(separator == kAtBlanks ? line.find_first_of(kBlanks, i) : line.find(separator, i), n);
            field = trimBlanks(line.substr(start, i - start));
        }
        fields.add(field);
        if (i >= n)
            return;
        ++i;  // the separator, or the first blank of a run
        if (separator == kAtBlanks) {
            while (i < n && isBlank(line[i]))
                ++i;
            if (i >= n)
                return;
        }
    }
}

// The fields at a known separator.
template <class Out>
void splitAt(std::string_view line, char separator, bool quotes, Out& fields)
{
    if (quotes)
        splitQuoted(line, separator, fields);
    else if (separator == kAtBlanks)
        splitPlainBlanks(line, fields);
    else
        splitPlain(line, separator, fields);
}

// Comma-separated unless an unquoted field holds a blank: "45,5 9,2 ..." is a
// row of blank-separated numbers with decimal commas. Plain rows, by far the
// most, take the short way: this runs for every row.
Row split(std::string_view line, unsigned bits)
{
    const Shape shape = shapeOf(line, bits);
    Row fields;
    if (shape.semicolon) {
        splitAt(line, ';', shape.quotes, fields);
        return fields;
    }
    if (shape.comma) {
        splitAt(line, ',', shape.quotes, fields);
        if (shape.quotes || std::none_of(fields.at.begin(), fields.at.begin() + fields.kept(), [](std::string_view f) {
                return f.find_first_of(kBlanks) != std::string_view::npos;
            }))
            return fields;
        fields = Row{};
    }
    splitAt(line, kAtBlanks, shape.quotes, fields);
    return fields;
}

// Latitude, longitude, hours, minutes and seconds from `from` on; nullopt
// where the clock is beyond what a time can be.
std::optional<Fix> fixOf(const std::array<double, kPairFields>& n, std::size_t from)
{
    const std::optional<std::int64_t> clock = clockNanoseconds(n[from + 2], n[from + 3], n[from + 4]);
    if (!clock)
        return std::nullopt;
    Fix fix;
    fix.latitude = n[from];
    fix.longitude = n[from + 1];
    fix.clock = Clock{*clock, std::nullopt};
    return fix;
}

LineValue rowOf(const std::array<double, kPairFields>& values, std::size_t count)
{
    const std::optional<Fix> first = fixOf(values, 0);
    const std::optional<Fix> second = count == kPairFields ? fixOf(values, kFixFields) : first;
    if (!first || !second)
        return LineError{std::string(kClockOutOfRange)};
    if (count == kFixFields)
        return RowFix{*first};
    return RowPair{*first, *second};
}

// The clocks of a row's time fields, over the zeros that stood for them.
void setTimes(LineValue& row, const std::array<std::optional<std::int64_t>, 2>& times)
{
    const auto set = [](Fix& fix, const std::optional<std::int64_t>& time) {
        if (time)
            fix.clock->nanoseconds = *time;
    };
    if (auto* fix = std::get_if<RowFix>(&row)) {
        set(fix->fix, times[0]);
    } else if (auto* pair = std::get_if<RowPair>(&row)) {
        set(pair->first, times[0]);
        set(pair->second, times[1]);
    }
}

// A name: what a header's fields are, as a spreadsheet's first row has them.
bool isName(std::string_view field)
{
    const char c = field.empty() ? '\0' : field.front();
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

// The end of an NMEA sentence, "*hh": a line whose '$' and start were lost,
// as a capture's first line often is.
bool endsLikeSentence(std::string_view line)
{
    const auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    return line.size() >= 3 && line[line.size() - 3] == '*' && hex(line[line.size() - 2]) && hex(line.back());
}

// A row of plain numbers with decimal points between blanks, the usual one,
// read in one pass as the general way would read it; nullopt for any other.
std::optional<LineValue> readPlainRow(std::string_view line)
{
    std::array<double, kPairFields> values{};
    std::size_t count = 0;
    const char* p = line.data();
    const char* const end = p + line.size();
    for (;;) {
        p = skipBlanks(p, end);
        if (p == end)
            break;
        if (count == kPairFields)
            return std::nullopt;
        p = readPlainDecimal(p, end, '.', values[count++]);
        if (!p || (p != end && !isBlank(*p)))
            return std::nullopt;
    }
    if (count == kFixFields || count == kPairFields)
        return rowOf(values, count);
    return std::nullopt;
}

// Any row but the plain one: apart, so that the plain row's call stays small.
[[gnu::noinline]] LineValue readRowFields(std::string_view line, bool headerAllowed, unsigned bits,
                                          std::optional<char> separator)
{
    Row fields;
    if (separator)
        splitAt(line, *separator, (bits & kQuote) != 0, fields);
    else
        fields = split(line, bits);
    // A spreadsheet writes an empty row as its separators alone.
    if (fields.used == 0 || (fields.count > 1 && line.find_first_not_of(" \t;,\"") == std::string_view::npos))
        return Blank{};
    const std::size_t count = fields.used;
    const auto kept = fields.at.begin() + std::min(count, Row::capacity);
    if (headerAllowed && count <= Row::capacity && std::any_of(fields.at.begin(), kept, isName)
        && std::all_of(fields.at.begin(), kept, [](std::string_view f) { return f.empty() || isName(f); }))
        return Ignored{};
    if (endsLikeSentence(line))
        return LineError{"frase NMEA senza l'inizio ('$'): la riga è troncata"};
    const std::size_t timeFields = static_cast<std::size_t>(std::count_if(
        fields.at.begin(), kept, [](std::string_view f) { return f.find(':') != std::string_view::npos; }));
    const std::size_t numbers = count + timeFields * (kTimeNumbers - 1);
    if (numbers != kFixFields && numbers != kPairFields)
        return LineError{"la riga ha " + std::to_string(count) + (count == 1 ? " campo" : " campi")
                         + ": ne servono 5 (una posizione) o 10 (una coppia), o 3 e 6 con l'ora in un campo"
                           " (hh:mm:ss)"};
    std::array<double, kPairFields> values{};
    std::array<std::optional<std::int64_t>, 2> times{};
    for (std::size_t i = 0, slot = 0; i < count; ++i) {
        const std::string_view field = fields.at[i];
        if (timeFields != 0 && field.find(':') != std::string_view::npos) {
            // Only where the fix's hours stand.
            if (slot % kFixFields != 2)
                return LineError{"il campo " + std::to_string(i + 1)
                                 + " è un'ora fuori posto: va dopo latitudine e longitudine"};
            times[slot / kFixFields] = readTimeOfDay(field);
            if (!times[slot / kFixFields])
                return LineError{"il campo " + std::to_string(i + 1) + " non è un'ora del giorno (hh:mm:ss)"};
            slot += kTimeNumbers;
            continue;
        }
        const std::optional<double> value = readTableNumber(field);
        if (!value)
            return LineError{"il campo " + std::to_string(i + 1) + " non è un numero"};
        values[slot++] = *value;
    }
    LineValue row = rowOf(values, numbers);
    if (timeFields != 0)
        setTimes(row, times);
    return row;
}

} // namespace

LineValue readTableRow(std::string_view line, bool headerAllowed, unsigned bits, std::optional<char> separator)
{
    if (bits == 0 && (!separator || *separator == kAtBlanks)) {
        if (std::optional<LineValue> plain = readPlainRow(line))
            return *std::move(plain);
    }
    return readRowFields(line, headerAllowed, bits, separator);
}

char namesSeparator(std::string_view line, unsigned bits)
{
    const Shape shape = shapeOf(line, bits);
    return shape.semicolon ? ';' : shape.comma ? ',' : kAtBlanks;
}

void splitFields(std::string_view line, char separator, unsigned bits, std::vector<std::string_view>& fields)
{
    fields.clear();
    FieldList list{fields};
    splitAt(line, separator, (bits & kQuote) != 0, list);
}

} // namespace zelva::batch
