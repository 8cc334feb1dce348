// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/table_row.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "batch/fields.h"
#include "calc/number_text.h"

namespace zelva::batch {

namespace {

constexpr std::size_t kPairFields = 10;
constexpr std::size_t kFixFields = 5;
constexpr std::string_view kBlanks = " \t";
constexpr char kAtBlanks = ' ';  // the separator of a row split at runs of blanks

// The number text of the table's dialects: no digit grouping, and the
// decimal separator the field itself shows.
const NumberFormat kDecimalPoint{".", ""};
const NumberFormat kDecimalComma{",", ""};

using Row = Fields<kPairFields>;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The first c outside double quotes.
std::size_t findUnquoted(std::string_view line, char c)
{
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == c && !quoted)
            return i;
    }
    return std::string_view::npos;
}

// The fields at a separator, each without the blanks around it, a quoted one
// without its quotes ("" inside stays doubled: no number holds a quote). A
// quoted field with more text after its closing quote is kept whole, quotes
// and all, so that it is no number. Sets anyQuoted.
Row splitRow(std::string_view line, char separator, bool& anyQuoted)
{
    Row fields;
    const std::size_t n = line.size();
    std::size_t i = 0;
    for (;;) {
        while (i < n && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        std::string_view field;
        if (i < n && line[i] == '"') {
            anyQuoted = true;
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
                field = trim(line.substr(start, i - start));
            }
        } else {
            i = std::min(separator == kAtBlanks ? line.find_first_of(kBlanks, i) : line.find(separator, i), n);
            field = trim(line.substr(start, i - start));
        }
        fields.add(field);
        if (i >= n)
            return fields;
        ++i;  // the separator, or the first blank of a run
        if (separator == kAtBlanks) {
            while (i < n && isBlank(line[i]))
                ++i;
            if (i >= n)
                return fields;
        }
    }
}

// Comma-separated unless an unquoted field holds a blank: "45,5 9,2 ..." is a
// row of blank-separated numbers with decimal commas.
Row split(std::string_view line, bool& anyQuoted)
{
    if (findUnquoted(line, ';') != std::string_view::npos)
        return splitRow(line, ';', anyQuoted);
    if (findUnquoted(line, ',') != std::string_view::npos) {
        bool quoted = false;
        Row byComma = splitRow(line, ',', quoted);
        const bool blankInside = !quoted && std::any_of(byComma.at.begin(), byComma.at.begin() + byComma.kept(),
                                                        [](std::string_view f) {
                                                            return f.find_first_of(kBlanks) != std::string_view::npos;
                                                        });
        if (!blankInside) {
            anyQuoted = quoted;
            return byComma;
        }
    }
    return splitRow(line, kAtBlanks, anyQuoted);
}

std::optional<double> number(std::string_view field)
{
    if (field.empty())
        return std::nullopt;
    return textToNumber(field, field.find(',') != std::string_view::npos ? kDecimalComma : kDecimalPoint);
}

Fix fixOf(const std::array<double, kPairFields>& n, std::size_t from)
{
    return Fix{n[from], n[from + 1], n[from + 2], n[from + 3], n[from + 4]};
}

} // namespace

InputLine readTableRow(std::string_view line, bool headerAllowed)
{
    bool anyQuoted = false;
    const Row fields = split(line, anyQuoted);
    // A spreadsheet writes an empty row as its separators alone.
    if (fields.count > 1
        && std::all_of(fields.at.begin(), fields.at.begin() + fields.kept(),
                       [](std::string_view f) { return f.empty(); }))
        return Blank{};
    if (headerAllowed) {
        bool anyNumber = false;
        for (std::size_t i = 0; i < fields.kept() && !anyNumber; ++i)
            anyNumber = number(fields.at[i]).has_value();
        if (!anyNumber)
            return Ignored{};
    }
    if (fields.count != kFixFields && fields.count != kPairFields)
        return LineError{"la riga ha " + std::to_string(fields.count)
                         + (fields.count == 1 ? " campo" : " campi")
                         + ": ne servono 5 (una posizione) o 10 (una coppia)"};
    std::array<double, kPairFields> values{};
    for (std::size_t i = 0; i < fields.count; ++i) {
        const std::optional<double> value = number(fields.at[i]);
        if (!value)
            return LineError{"il campo " + std::to_string(i + 1) + " non è un numero"};
        values[i] = *value;
    }
    if (fields.count == kFixFields)
        return ListFix{fixOf(values, 0), std::nullopt, false};
    return PairRow{fixOf(values, 0), fixOf(values, kFixFields)};
}

} // namespace zelva::batch
