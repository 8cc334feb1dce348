// SPDX-License-Identifier: GPL-3.0-or-later
// Tables as loggers and spreadsheets write them, whole inputs through the line
// reader: "sep=" lines, headers that name their columns, ISO date-times,
// dates beside times, and the messages of fields that are no value.
#include "batch/read/table_columns.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/fix/clock.h"
#include "batch/read/line_input.h"
#include "batch/read/table_values.h"

namespace zelva::batch {
namespace {

constexpr std::int64_t k8December2026 = 9778;  // days after 1 March 2000

std::int64_t hms(double hours, double minutes, double seconds) { return *clockNanoseconds(hours, minutes, seconds); }

enum class Kind { Fix, Pair, Rejected };

// A fix as read (a pair: its second fix), or a rejection and a part of its message.
struct Event {
    Kind kind = Kind::Fix;
    long line = 0;
    double latitude = 0.0, longitude = 0.0;
    std::optional<std::int64_t> nanoseconds{};  // none: no clock
    std::optional<std::int64_t> date{};
    std::optional<double> elevation{};
    std::string reason{};
};

Event fixAt(long line, double latitude, double longitude, std::optional<std::int64_t> nanoseconds,
            std::optional<std::int64_t> date = std::nullopt, std::optional<double> elevation = std::nullopt)
{
    return {Kind::Fix, line, latitude, longitude, nanoseconds, date, elevation, {}};
}

Event rejectedAt(long line, std::string reason) { return {Kind::Rejected, line, 0, 0, {}, {}, {}, std::move(reason)}; }

class Recorder : public FixSink, public RejectionSink {
public:
    void fix(const Fix& fix) override { events.push_back(eventOf(Kind::Fix, fix)); }
    void pair(const Fix&, const Fix& second) override { events.push_back(eventOf(Kind::Pair, second)); }
    void endList() override {}
    void rejected(const Rejection& rejection) override
    {
        events.push_back(rejectedAt(rejection.line, rejection.reason));
    }

    std::vector<Event> events;

private:
    static Event eventOf(Kind kind, const Fix& fix)
    {
        Event event{kind, fix.line, fix.latitude, fix.longitude, {}, {}, fix.elevation, {}};
        if (fix.clock) {
            event.nanoseconds = fix.clock->nanoseconds;
            event.date = fix.clock->date;
        }
        return event;
    }
};

struct Row {
    std::string_view name;
    std::string_view input;
    std::vector<Event> events;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Row kRows[] = {
    // Trailing empty fields, as a sheet pads its rows to its widest.
    {"trailingEmptyFields", "45,4642;9,19;10;15;30;;\n", {fixAt(1, 45.4642, 9.19, hms(10, 15, 30))}},
    {"trailingEmptyFieldsOfAPair", "45,4642;9,19;10;15;30;44;10;11;45;0;;;;;;\n",
     {{Kind::Pair, 1, 44, 10, hms(11, 45, 0)}}},
    {"emptyFieldInsideIsStillAnError", "45;;10;15;30;;\n", {rejectedAt(1, "il campo 2 non è un numero")}},
    {"trailingEmptyHeaderFields", "latitudine;longitudine;ore;minuti;secondi;;;\n45;9;10;15;30;;;\n",
     {fixAt(2, 45, 9, hms(10, 15, 30))}},

    // A "sep=" first line.
    {"sepLine", "sep=|\n45,5|9,25|10|15|30\n45.5|9.5|10|16|0\n",
     {fixAt(2, 45.5, 9.25, hms(10, 15, 30)), fixAt(3, 45.5, 9.5, hms(10, 16, 0))}},
    {"sepLineQuotedAndPadded", "\"sep=;\";;;\nlat;lon;time\n45,5;9,25;10:15:30\n",
     {fixAt(3, 45.5, 9.25, hms(10, 15, 30))}},
    {"sepLineCommaPaddedAfterComment", "# from the sheet\nSEP=,,,,\nlat,lon,name,time\n45.5,9.25,a b,10:15:30\n",
     {fixAt(4, 45.5, 9.25, hms(10, 15, 30))}},
    {"sepLineOnlyFirst", "45;9;10;15;30\nsep=;\n", {fixAt(1, 45, 9, hms(10, 15, 30)), rejectedAt(2, "campo")}},
    {"sepLineUnknownSeparator", "sep=/\n", {rejectedAt(1, "separatore '/' non gestito")}},

    // Columns in any order, other columns passed over.
    {"columnsInAnyOrder", "speed,lon,provider,time,lat\n3.2,9.19,gps,10:15:30.25,45.4642\n",
     {fixAt(2, 45.4642, 9.19, hms(10, 15, 30.25))}},
    {"columnsQuotedAndInCapitals", "\"Time\";\"LATITUDE\";\"Longitude\"\n\"10:15:30\";\"45,5\";\"9,25\"\n",
     {fixAt(2, 45.5, 9.25, hms(10, 15, 30))}},
    {"columnsBlankSeparated", "lng   lat\tele\n9.25 45.5 130,5\n", {fixAt(2, 45.5, 9.25, std::nullopt, {}, 130.5)}},
    {"rowOfSeparatorsIsEmpty", "lat,lon,time\n,,\n45,9,10:15:30\n", {fixAt(3, 45, 9, hms(10, 15, 30))}},
    {"noTimeColumnNoClock", "lat,lon,name\n45,9,a\n45.1,9,b\n", {fixAt(2, 45, 9, {}), fixAt(3, 45.1, 9, {})}},
    {"elevationWithUnit", "lat;lon;altitude(m);time\n45;9;-3,5;10:15:30\n45;9;;10:15:31\n",
     {fixAt(2, 45, 9, hms(10, 15, 30), {}, -3.5), fixAt(3, 45, 9, hms(10, 15, 31))}},

    // ISO 8601 date-times.
    {"isoTimes",
     "time,lat,lon\n"
     "2026-12-08T10:15:30Z,45,9\n"
     "2026-12-08T11:15:30.5+01:00,45,9\n"
     "2026-12-08T10:15:31.123456789,45,9\n"
     "2026-12-08 10:15:32,45,9\n"
     "2026-12-08T00:15:33-0300,45,9\n"
     "2026-12-08 00:30:00+01,45,9\n",
     {fixAt(2, 45, 9, hms(10, 15, 30), k8December2026), fixAt(3, 45, 9, hms(10, 15, 30.5), k8December2026),
      fixAt(4, 45, 9, hms(10, 15, 31.123456789), k8December2026), fixAt(5, 45, 9, hms(10, 15, 32), k8December2026),
      fixAt(6, 45, 9, hms(3, 15, 33), k8December2026), fixAt(7, 45, 9, hms(23, 30, 0), k8December2026 - 1)}},
    {"isoDecimalCommaInQuotes", "time,lat,lon\n\"2026-12-08T10:15:30,25Z\",45,9\n",
     {fixAt(2, 45, 9, hms(10, 15, 30.25), k8December2026)}},

    // A date column beside a time column, and hours, minutes and seconds.
    {"dateAndTimeColumns", "date,time,lat,lon\n2026-12-08,23:59:59.5,45,9\n2026-12-09,00:00:01,45,9\n",
     {fixAt(2, 45, 9, hms(23, 59, 59.5), k8December2026), fixAt(3, 45, 9, hms(0, 0, 1), k8December2026 + 1)}},
    {"italianColumns", "Data;Ora;Latitudine;Longitudine;Quota\n08/12/2026;10:15:30;45,4642;9,19;122,5\n"
                       "8/12/2026;10:15:40;45,4643;9,19;\n",
     {fixAt(2, 45.4642, 9.19, hms(10, 15, 30), k8December2026, 122.5),
      fixAt(3, 45.4643, 9.19, hms(10, 15, 40), k8December2026)}},
    {"dataEOraColumn", "latitudine;longitudine;data e ora\n45;9;2026-12-08 10:15:30\n",
     {fixAt(2, 45, 9, hms(10, 15, 30), k8December2026)}},
    {"dateColumnAloneHoldsTheDateTime", "date;lat;lon\n2026-12-08T10:15:30Z;45;9\n2026-12-08;45;9\n",
     {fixAt(2, 45, 9, hms(10, 15, 30), k8December2026), rejectedAt(3, "il campo 'date' non è una data e ora")}},
    {"oraBesideMinutesIsHours", "quota;ora;minuti;secondi;lat;lon\n1;10;15;30,5;45;9\n",
     {fixAt(2, 45, 9, hms(10, 15, 30.5), {}, 1)}},
    {"hoursMinutesSecondsInAnyOrder", "s;min;h;lon;lat\n30;15;25;9;45\n", {fixAt(2, 45, 9, hms(25, 15, 30))}},

    // Headers that stay what they were: rows read by position.
    {"windowHeaderKeepsPairs", "lat;lon;h;min;s\n45;9;10;15;30;44;10;11;45;0\n",
     {{Kind::Pair, 2, 44, 10, hms(11, 45, 0)}}},
    {"pairHeaderNamesPositionsTwice", "lat,lon,time,lat,lon,time\n45,9,10:15:30,44,10,11:45:00\n",
     {{Kind::Pair, 2, 44, 10, hms(11, 45, 0)}}},
    {"unknownNamesHeader", "a;b;c;d;e\n45;9;10;15;30\n", {fixAt(2, 45, 9, hms(10, 15, 30))}},

    // Fields that are no value, each named by its column.
    {"badFields",
     "lat;lon;time;ele\n"
     "x;9;10:15:30;1\n"
     ";9;10:15:30;1\n"
     "45;9\n"
     "95;9;10:15:30;1\n"
     "45;190;10:15:30;1\n"
     "45;9;10.15.30;1\n"
     "45;9;10:15:30;alto\n"
     "45;9;24:00:00\n",
     {rejectedAt(2, "il campo 'lat' non è un numero"), rejectedAt(3, "il campo 'lat' è vuoto"),
      rejectedAt(4, "manca il campo 'time': la riga ha 2 campi"),
      rejectedAt(5, "il campo 'lat' non è una latitudine (da -90 a 90)"),
      rejectedAt(6, "il campo 'lon' non è una longitudine (da -180 a 180)"),
      rejectedAt(7, "il campo 'time' non è una data e ora"), rejectedAt(8, "il campo 'ele' non è un numero"),
      rejectedAt(9, "il campo 'time' non è")}},
    {"badDate", "data;ora;lat;lon\n31/02/2026;10:15:30;45;9\n26-12-08;10:15:30;45;9\n",
     {rejectedAt(2, "il campo 'data' non è una data (aaaa-mm-gg o gg/mm/aaaa)"), rejectedAt(3, "il campo 'data'")}},
    {"headerAgainIsARow", "lat,lon,time\nlat,lon,time\n", {rejectedAt(2, "il campo 'lat' non è un numero")}},
};

class TableInputs : public testing::TestWithParam<Row> {};

TEST_P(TableInputs, GiveTheirFixes)
{
    const Row& row = GetParam();
    Recorder recorder;
    LineInput input(recorder, recorder);
    input.feed(row.input);
    input.finish(false);

    ASSERT_EQ(recorder.events.size(), row.events.size());
    for (std::size_t i = 0; i < row.events.size(); ++i) {
        SCOPED_TRACE(i);
        const Event& got = recorder.events[i];
        const Event& want = row.events[i];
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.line, want.line);
        if (want.kind == Kind::Rejected) {
            EXPECT_NE(got.reason.find(want.reason), std::string::npos) << got.reason;
            continue;
        }
        EXPECT_EQ(got.latitude, want.latitude);
        EXPECT_EQ(got.longitude, want.longitude);
        EXPECT_EQ(got.nanoseconds, want.nanoseconds);
        EXPECT_EQ(got.date, want.date);
        EXPECT_EQ(got.elevation, want.elevation);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TableInputs, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A table's fields one by one; nullopt where refused.
struct ValueRow {
    std::string_view name;
    std::string_view text;
    std::optional<std::int64_t> nanoseconds;  // a time of day, or a date-time's clock
    std::optional<std::int64_t> date{};       // a date, or a date-time's date
};

void PrintTo(const ValueRow& row, std::ostream* out) { *out << row.name; }

const ValueRow kTimes[] = {
    {"oneDigitHour", "9:05:03", hms(9, 5, 3)},
    {"tenthExact", "10:15:30.1", 36'930'100'000'000},
    {"decimalComma", " 10:15:30,25 ", hms(10, 15, 30.25)},
    {"leapSecond", "23:59:60", hms(23, 59, 60)},
    {"hour24", "24:00:00", std::nullopt},
    {"sixtyMinutes", "10:60:00", std::nullopt},
    {"noSeconds", "10:15", std::nullopt},
    {"oneDigitSeconds", "10:15:3", std::nullopt},
    {"emptyFraction", "10:15:30.", std::nullopt},
    {"textAfter", "10:15:30Z", std::nullopt},
};

const ValueRow kDates[] = {
    {"iso", "2026-12-08", std::nullopt, k8December2026},
    {"italian", "08/12/2026", std::nullopt, k8December2026},
    {"italianShort", "8/12/2026", std::nullopt, k8December2026},
    {"yearFirstSlashes", "2026/12/08", std::nullopt, k8December2026},
    {"twoDigitYear", "08/12/26", std::nullopt, std::nullopt},
    {"noSuchDay", "29/02/2026", std::nullopt, std::nullopt},
    {"dateTime", "2026-12-08T10:15:30", std::nullopt, std::nullopt},
};

const ValueRow kDateTimes[] = {
    {"blankForT", "2026-12-08 10:15:30.5Z", hms(10, 15, 30.5), k8December2026},
    {"offsetWithoutColon", "2026-12-08T10:15:30+0130", hms(8, 45, 30), k8December2026},
    {"offsetHoursOnly", "2026-12-08T10:15:30-02", hms(12, 15, 30), k8December2026},
    {"decimalComma", "2026-12-08T10:15:30,125", hms(10, 15, 30.125), k8December2026},
    {"dateAlone", "2026-12-08", std::nullopt},
    {"badOffset", "2026-12-08T10:15:30+1", std::nullopt},
    {"tooLong", "2026-12-08T10:15:30.000000000000000000000000000000000000000000000001Z", std::nullopt},
};

class TimeFields : public testing::TestWithParam<ValueRow> {};
class DateFields : public testing::TestWithParam<ValueRow> {};
class DateTimeFields : public testing::TestWithParam<ValueRow> {};

TEST_P(TimeFields, ReadExactly) { EXPECT_EQ(readTimeOfDay(GetParam().text), GetParam().nanoseconds); }

TEST_P(DateFields, ReadAsDayNumbers) { EXPECT_EQ(readTableDate(GetParam().text), GetParam().date); }

TEST_P(DateTimeFields, ReadAsUtc)
{
    const ValueRow& row = GetParam();
    const std::optional<Clock> got = readTableDateTime(row.text);
    ASSERT_EQ(got.has_value(), row.nanoseconds.has_value());
    if (!got)
        return;
    EXPECT_EQ(got->nanoseconds, *row.nanoseconds);
    EXPECT_EQ(got->date, row.date);
}

const auto kValueName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Rows, TimeFields, testing::ValuesIn(kTimes), kValueName);
INSTANTIATE_TEST_SUITE_P(Rows, DateFields, testing::ValuesIn(kDates), kValueName);
INSTANTIATE_TEST_SUITE_P(Rows, DateTimeFields, testing::ValuesIn(kDateTimes), kValueName);

} // namespace
} // namespace zelva::batch
