// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/table_row.h"

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

// The number text of the table's dialects: no digit grouping, and the
// decimal separator the field itself shows.
const NumberFormat kDecimalPoint{".", ""};
const NumberFormat kDecimalComma{",", ""};

using Row = Fields<kPairFields>;

std::string_view trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Split by a character, each field without the blanks around it.
Row splitTrimmed(std::string_view line, char separator)
{
    Row fields = splitAt<kPairFields>(line, separator);
    for (std::size_t i = 0; i < fields.kept(); ++i)
        fields.at[i] = trim(fields.at[i]);
    return fields;
}

Row splitAtBlanks(std::string_view line)
{
    Row fields;
    for (std::size_t at = line.find_first_not_of(kBlanks); at != std::string_view::npos;
         at = line.find_first_not_of(kBlanks, at)) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, at), line.size());
        fields.add(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// Comma-separated unless a field holds a blank: "45,5 9,2 ..." is a row of
// blank-separated numbers with decimal commas.
Row split(std::string_view line)
{
    if (line.find(';') != std::string_view::npos)
        return splitTrimmed(line, ';');
    if (line.find(',') != std::string_view::npos) {
        Row byComma = splitTrimmed(line, ',');
        bool blankInside = false;
        for (std::size_t i = 0; i < byComma.kept(); ++i)
            blankInside = blankInside || byComma.at[i].find_first_of(kBlanks) != std::string_view::npos;
        if (!blankInside)
            return byComma;
    }
    return splitAtBlanks(line);
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
    const Row fields = split(line);
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
