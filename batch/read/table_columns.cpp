// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/table_columns.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "batch/fix/clock.h"
#include "batch/read/fields.h"
#include "batch/read/table_values.h"

namespace zelva::batch {

namespace {

// TableColumns' column roles, as its columns_ are indexed.
enum Role : std::size_t { Latitude, Longitude, Time, Date, Hours, Minutes, Seconds, Elevation, kNoRole };

struct RoleName {
    std::string_view name;
    Role role;
};

// The names loggers and sheets give their columns, lower case, without a unit.
// "ora" alone is a time, but the hours beside "minuti" and "secondi".
constexpr RoleName kNames[] = {
    {"lat", Latitude},        {"latitude", Latitude},     {"latitudine", Latitude},
    {"lon", Longitude},       {"lng", Longitude},         {"long", Longitude},
    {"longitude", Longitude}, {"longitudine", Longitude},
    {"time", Time},           {"timestamp", Time},        {"datetime", Time},
    {"date time", Time},      {"date/time", Time},        {"ora", Time},
    {"orario", Time},         {"data e ora", Time},       {"data ora", Time},
    {"data/ora", Time},
    {"date", Date},           {"data", Date},
    {"h", Hours},             {"hh", Hours},              {"hour", Hours},
    {"hours", Hours},         {"ore", Hours},
    {"m", Minutes},           {"mm", Minutes},            {"min", Minutes},
    {"minute", Minutes},      {"minutes", Minutes},       {"minuti", Minutes},
    {"s", Seconds},           {"ss", Seconds},            {"sec", Seconds},
    {"second", Seconds},      {"seconds", Seconds},       {"secondi", Seconds},
    {"ele", Elevation},       {"alt", Elevation},         {"altitude", Elevation},
    {"elevation", Elevation}, {"quota", Elevation},
};

// "Altitude (m)", "date_time", "LAT" as "altitude", "date time", "lat".
std::string normalName(std::string_view field)
{
    field = field.substr(0, field.find_first_of("(["));
    std::string name(trimBlanks(field));
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (c == '_' || c == '-')
            c = ' ';
    }
    return name;
}

Role roleOf(std::string_view field)
{
    const std::string name = normalName(field);
    for (const RoleName& known : kNames) {
        if (known.name == name)
            return known.role;
    }
    return kNoRole;
}

// The separator a sheet's "sep=X" first line names, as Excel reads it and
// sheets write it: "sep=;", "\"sep=;\";;;", "sep=,,,,". A tab, trimmed away
// with the line's blanks, leaves "sep=": blanks.
std::optional<char> separatorHint(std::string_view line)
{
    const bool quoted = line.starts_with('"');
    std::string_view text = line.substr(quoted ? 1 : 0);
    if (!equalsIgnoringCase(text.substr(0, 4), "sep="))
        return std::nullopt;
    text.remove_prefix(4);
    char separator = kBlankSeparator;
    if (!text.empty() && !(quoted && text.front() == '"')) {
        separator = text.front();
        text.remove_prefix(1);
    }
    if (quoted) {
        if (!text.starts_with('"'))
            return std::nullopt;
        text.remove_prefix(1);
    }
    const char padding[] = {separator, ' ', '\t', '\0'};
    if (text.find_first_not_of(padding) != std::string_view::npos)
        return std::nullopt;
    return separator == '\t' ? kBlankSeparator : separator;
}

constexpr std::string_view kSeparators = ";,| ";

std::string quotedName(const std::string& name) { return "'" + name + "'"; }

} // namespace

LineValue TableColumns::readOther(std::string_view line, bool headerAllowed, unsigned bits)
{
    if (headerAllowed && !separator_) {
        if (const std::optional<char> hint = separatorHint(line)) {
            if (kSeparators.find(*hint) == std::string_view::npos)
                return LineError{std::string("separatore '") + *hint
                                 + "' non gestito: si leggono ';', ',', '|', tabulazione e spazio"};
            separator_ = *hint;
            return Blank{};  // the header may still follow
        }
    }
    if (headerAllowed && readHeader(line, bits))
        return Ignored{};
    if (byColumns_)
        return readRow(line, bits);
    return readTableRow(line, headerAllowed, bits, separator_);
}

bool TableColumns::readHeader(std::string_view line, unsigned bits)
{
    const char c = line.front();
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '"'))
        return false;
    const char separator = separator_ ? *separator_ : namesSeparator(line, bits);
    splitFields(line, separator, bits, fields_);
    std::array<std::optional<Column>, kRoles> columns;
    std::size_t used = 0;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (!fields_[i].empty())
            used = i + 1;
        const Role role = roleOf(fields_[i]);
        if (role == kNoRole)
            continue;
        if (columns[role]) {
            // Twice a position: the header of pairs, read as rows of numbers.
            if (role == Latitude || role == Longitude)
                return false;
            continue;
        }
        columns[role] = Column{i, std::string(trimBlanks(fields_[i]))};
    }
    if (!columns[Latitude] || !columns[Longitude])
        return false;
    if (columns[Time] && columns[Minutes] && !columns[Hours] && normalName(columns[Time]->name) == "ora")
        std::swap(columns[Time], columns[Hours]);
    // The window's five in their order: rows of numbers, as without names.
    const auto at = [&](Role role, std::size_t index) { return columns[role] && columns[role]->index == index; };
    if (used == 5 && at(Latitude, 0) && at(Longitude, 1) && at(Hours, 2) && at(Minutes, 3) && at(Seconds, 4))
        return false;
    columns_ = std::move(columns);
    columnSeparator_ = separator;
    byColumns_ = true;
    return true;
}

std::optional<std::string_view> TableColumns::field(std::size_t role) const
{
    if (!columns_[role] || columns_[role]->index >= fields_.size())
        return std::nullopt;
    return fields_[columns_[role]->index];
}

LineError TableColumns::missing(std::size_t role) const
{
    return {"manca il campo " + quotedName(columns_[role]->name) + ": la riga ha " + std::to_string(fields_.size())
            + (fields_.size() == 1 ? " campo" : " campi")};
}

std::optional<LineError> TableColumns::number(std::size_t role, double& out) const
{
    const std::optional<std::string_view> text = field(role);
    if (!text)
        return missing(role);
    const std::optional<double> value = readTableNumber(*text);
    if (!value)
        return notA(role, "un numero");
    out = *value;
    return std::nullopt;
}

LineError TableColumns::notA(std::size_t role, std::string_view what) const
{
    const std::optional<std::string_view> text = field(role);
    if (text && text->empty())
        return {"il campo " + quotedName(columns_[role]->name) + " è vuoto"};
    return {"il campo " + quotedName(columns_[role]->name) + " non è " + std::string(what)};
}

LineValue TableColumns::readRow(std::string_view line, unsigned bits)
{
    static_assert(kNoRole == kRoles);
    splitFields(line, columnSeparator_, bits, fields_);
    if (std::all_of(fields_.begin(), fields_.end(), [](std::string_view f) { return f.empty(); }))
        return Blank{};
    Fix fix;
    const auto degrees = [&](Role role, double limit, std::string_view what, double& out) -> std::optional<LineError> {
        if (std::optional<LineError> error = number(role, out))
            return error;
        if (!(std::fabs(out) <= limit))
            return notA(role, what);
        return std::nullopt;
    };
    if (std::optional<LineError> error =
            degrees(Latitude, kLatitudeLimit, "una latitudine (da -90 a 90)", fix.latitude))
        return *std::move(error);
    if (std::optional<LineError> error =
            degrees(Longitude, kLongitudeLimit, "una longitudine (da -180 a 180)", fix.longitude))
        return *std::move(error);
    if (std::optional<LineError> error = readClock(fix))
        return *std::move(error);
    if (const std::optional<std::string_view> text = field(Elevation); text && !text->empty()) {
        fix.elevation = readTableNumber(*text);
        if (!fix.elevation)
            return notA(Elevation, "un numero");
    }
    return RowFix{fix};
}

// From a time column (a date-time, or a time of day beside a date column), from
// hours, minutes and seconds, or from a date column alone that holds a
// date-time; none without any of them.
std::optional<LineError> TableColumns::readClock(Fix& fix) const
{
    std::optional<std::int64_t> date;
    if (columns_[Date] && (columns_[Time] || columns_[Hours])) {
        const std::optional<std::string_view> text = field(Date);
        if (text && !text->empty()) {
            date = readTableDate(*text);
            if (!date)
                return notA(Date, "una data (aaaa-mm-gg o gg/mm/aaaa)");
        }
    }
    if (columns_[Time]) {
        const std::optional<std::string_view> text = field(Time);
        if (!text)
            return missing(Time);
        if (const std::optional<std::int64_t> time = readTimeOfDay(*text)) {
            fix.clock = Clock{*time, date};
            return std::nullopt;
        }
        fix.clock = readTableDateTime(*text);
        if (!fix.clock)
            return notA(Time, "una data e ora (aaaa-mm-ggThh:mm:ss) o un'ora (hh:mm:ss)");
        return std::nullopt;
    }
    if (columns_[Hours]) {
        double parts[3] = {0.0, 0.0, 0.0};
        for (const Role role : {Hours, Minutes, Seconds}) {
            if (!columns_[role])
                continue;
            if (std::optional<LineError> error = number(role, parts[role - Hours]))
                return error;
        }
        const std::optional<std::int64_t> time = clockNanoseconds(parts[0], parts[1], parts[2]);
        if (!time)
            return LineError{std::string(kClockOutOfRange)};
        fix.clock = Clock{*time, date};
        return std::nullopt;
    }
    if (columns_[Date]) {
        const std::optional<std::string_view> text = field(Date);
        if (!text)
            return missing(Date);
        fix.clock = readTableDateTime(*text);
        if (!fix.clock)
            return notA(Date, "una data e ora (aaaa-mm-ggThh:mm:ss)");
    }
    return std::nullopt;
}

} // namespace zelva::batch
