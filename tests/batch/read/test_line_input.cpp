// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/line_input.h"
#include "batch/read/nmea_sentence.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

#include "batch/fix/clock.h"
#include "calc/trip.h"

namespace zelva::batch {
namespace {

using namespace std::string_view_literals;

enum class Kind { Blank, Ignored, Fix, Pair, Error, Date };

// Latitude, longitude, hours, minutes, seconds, as the window's fix.
using Expected = zelva::Fix;

struct Row {
    std::string_view name;
    std::string_view line;
    Kind kind;
    Expected fix{};                     // Fix: the fix; Pair: the second fix
    std::optional<std::int64_t> date{}; // Fix: an RMC date, days after 1 March 2000
    std::string_view reason{};          // Error: a part of the message
    bool headerAllowed = false;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// ddmm.mmmm as the sentence spells it.
constexpr double angle(double degrees, double minutes) { return degrees + minutes / 60.0; }

const Row kRows[] = {
    {"ggaNorthEast", "$GPGGA,093015,4528.4210,N,00911.0530,E,1,09,1.0,130.2,M,47.1,M,,*45", Kind::Fix,
     {angle(45, 28.421), angle(9, 11.053), 9, 30, 15}},
    {"rmcSouthWestDated", "$GPRMC,174402.25,A,3352.1180,S,15112.7740,W,0.4,12.0,290224,,,D*62", Kind::Fix,
     {-angle(33, 52.118), -angle(151, 12.774), 17, 44, 2.25}, 8765},
    {"gllOtherTalker", "$GNGLL,5130.2260,N,00007.5090,W,064510.5,A,A*5C", Kind::Fix,
     {angle(51, 30.226), -angle(0, 7.509), 6, 45, 10.5}},
    {"checksumInLowerCase", "$GNGLL,5130.2260,N,00007.5090,W,064510.5,A,A*5c", Kind::Fix,
     {angle(51, 30.226), -angle(0, 7.509), 6, 45, 10.5}},
    {"noChecksum", "$GAGGA,093015,4528.4210,N,00911.0530,E,1,09", Kind::Fix,
     {angle(45, 28.421), angle(9, 11.053), 9, 30, 15}},
    {"leadingBlanks", "  \t$GAGGA,093015,4528.4210,N,00911.0530,E,1,09*65", Kind::Fix,
     {angle(45, 28.421), angle(9, 11.053), 9, 30, 15}},
    {"wrongChecksum", "$GPGGA,093015,4528.4210,N,00911.0530,E,1,09,1.0,130.2,M,47.1,M,,*54", Kind::Error,
     {}, {}, "somma di controllo errata: la frase dà 45, la riga dice 54"},
    {"shortChecksum", "$GAGGA,093015,4528.4210,N,00911.0530,E,1,09*6", Kind::Error, {}, {}, "malformata"},
    {"rmcStatusV", "$GLRMC,174402,V,3352.1180,S,15112.7740,E,0.4,12.0,290224,,,N*58", Kind::Ignored},
    {"gllStatusV", "$BDGLL,5130.2260,N,00007.5090,W,064510.5,V,N*4B", Kind::Ignored},
    {"ggaNoPosition", "$GPGGA,093016,,,,,0,00,,,M,,M,,*6B", Kind::Ignored},
    {"ggaQualityZero", "$GPGGA,093017,4528.4210,N,00911.0530,E,0,00,,,M,,M,,*52", Kind::Ignored},
    {"otherSentence", "$GPGSV,1,1,01,07,33,120,40*48", Kind::Ignored},
    {"proprietary", "$PUBX,00,093015.00,4528.4210,N,00911.0530,E*07", Kind::Ignored},
    {"ais", "!AIVDM,1,1,,B,15M67FC000G?ufbE`FepT@3n00Sa,0*5C", Kind::Ignored},
    {"gpsdJson", "{\"class\":\"VERSION\",\"release\":\"3.22\",\"proto_major\":3}", Kind::Ignored},
    {"ubxCutShort", "\xB5\x62\x01\x07\x5C", Kind::Ignored},
    // The faults: NULs or UBX bytes before '$' lost the sentence, and a trailing
    // blank after a GLL without checksum made its status "A " and the fix invalid.
    {"junkBeforeDollar", "\0\0\xB5\x62\x01$GNGLL,5130.2260,N,00007.5090,W,064510.5,A,A*5C"sv,
     Kind::Fix, {angle(51, 30.226), -angle(0, 7.509), 6, 45, 10.5}},
    {"gllTrailingBlankNoChecksum", "$GPGLL,4527.7100,N,00911.2800,E,101520.00,A ", Kind::Fix,
     {angle(45, 27.71), angle(9, 11.28), 10, 15, 20}},
    {"gnsAllConstellationsWithoutFix", "$GNGNS,104127.50,4524.1230,N,00911.2340,E,NN,00,,,,,,V*33", Kind::Ignored},
    {"zdaWithoutDateYet", "$GPZDA,104127.50,,,,,*62", Kind::Ignored},
    {"latitudeBeyondPole", "$GPGGA,093015,9128.4210,N,00911.0530,E,1,09,1.0,130.2,M,47.1,M,,*4C",
     Kind::Error, {}, {}, "latitudine"},
    {"sixtyMinutes", "$GPGGA,093015,4560.0000,N,00911.0530,E,1,09,1.0,130.2,M,47.1,M,,*4E", Kind::Error,
     {}, {}, "latitudine"},
    {"unknownHemisphere", "$GPGGA,093015,4528.4210,X,00911.0530,E,1,09,1.0,130.2,M,47.1,M,,*53",
     Kind::Error, {}, {}, "latitudine"},
    {"hour24", "$GPGGA,243015,4528.4210,N,00911.0530,E,1,09,1.0,130.2,M,47.1,M,,*4A", Kind::Error, {}, {},
     "ora"},
    {"february30", "$GPRMC,174402,A,3352.1180,S,15112.7740,E,0.4,12.0,300223,,,A*53", Kind::Error, {}, {},
     "data"},
    {"semicolonsDecimalCommas", "45,5;9,25;10;15;30,5", Kind::Fix, {45.5, 9.25, 10, 15, 30.5}},
    {"semicolonsDecimalPoints", "45.5 ; 9.25 ; 10 ; 15 ; 30", Kind::Fix, {45.5, 9.25, 10, 15, 30}},
    {"commasBlanksAfter", "-45.5, 9.25, 10, 15, 30", Kind::Fix, {-45.5, 9.25, 10, 15, 30}},
    {"blanksEitherDecimal", "45,5 9.25\t10 15 30  44 10,5 11 45 0", Kind::Pair, {44, 10.5, 11, 45, 0}},
    {"header", "lat;lon;h;min;s", Kind::Ignored, {}, {}, {}, true},
    // As LibreOffice writes a sheet under Italian settings: the fault was "7 campi".
    {"spreadsheetQuotesDecimalCommas", "\"45,5\",\"9,25\",10,15,\"30,5\"", Kind::Fix, {45.5, 9.25, 10, 15, 30.5}},
    {"quotedSemicolonsAndBlanks", " \"45,5\" ; \"9,25\";10;15;30", Kind::Fix, {45.5, 9.25, 10, 15, 30}},
    {"quotedBlankSeparated", "\"45,5\" \"9.25\"\t10 15 30", Kind::Fix, {45.5, 9.25, 10, 15, 30}},
    {"quotedHeader", "\"lat\";\"lon, deg\";\"h\";\"min\";\"s\"", Kind::Ignored, {}, {}, {}, true},
    // The fault: a first row of quoted numbers was taken as a header and lost.
    {"quotedNumbersAreNoHeader", "\"45,5\";\"9,25\";\"10\";\"15\";\"30\"", Kind::Fix, {45.5, 9.25, 10, 15, 30},
     {}, {}, true},
    {"textAfterClosingQuote", "\"45\"x;9;10;15;30", Kind::Error, {}, {}, "campo 1"},
    {"emptySpreadsheetRow", ";;;;", Kind::Blank},
    {"emptyCommaRow", ",,,,", Kind::Blank, {}, {}, {}, true},
    {"oneEmptyQuotedCell", "\"\"", Kind::Blank},
    {"headerOnlyFirst", "lat;lon;h;min;s", Kind::Error, {}, {}, "non è un numero"},
    {"numbersNoHeader", "45;9;10;15;30", Kind::Fix, {45, 9, 10, 15, 30}, {}, {}, true},
    {"comment", "# fixes of Tuesday", Kind::Blank},
    {"blanks", " \t ", Kind::Blank},
    {"sixNumbers", "45;9;10;15;30;1", Kind::Error, {}, {}, "6 campi"},
    {"groupedNumber", "1.045,5;9;10;15;30", Kind::Error, {}, {}, "campo 1"},
    {"emptyField", "45;;10;15;30", Kind::Error, {}, {}, "campo 2"},
    {"nulByte", std::string_view("45 9 10 15\0 30", 14), Kind::Error, {}, {}, "controllo"},
    // Times are exact: the fault was a tenth that became 0.0999999999985448 s.
    {"tenthsExact", "45 9 10 0 0.1", Kind::Fix, {45, 9, 10, 0, 0.1}},
    {"hoursBeyondAnyClock", "45 9 1e300 0 0", Kind::Error, {}, {}, "ora fuori misura"},
    // The fault: a capture's first line cut before its '$' was taken as a header.
    {"sentenceCutBeforeDollar", ",,,,,,,,,,,,,*1E", Kind::Error, {}, {}, "'$'", true},
    // Tables from sheets: padding at the end of a row, and times in one field.
    {"trailingEmptyFields", "45,5;9,25;10;15;30,5;;", Kind::Fix, {45.5, 9.25, 10, 15, 30.5}},
    {"trailingEmptiesCountedOut", "45;9;10;15;30;1;;", Kind::Error, {}, {}, "6 campi"},
    {"timeField", "45.5;9.25;10:15:30.5", Kind::Fix, {45.5, 9.25, 10, 15, 30.5}},
    {"timeFieldsOfAPair", "45.5 9.25 10:15:30 44 10.5 11:45:00", Kind::Pair, {44, 10.5, 11, 45, 0}},
    {"timeFieldAndNumbersOfAPair", "45.5,9.25,10,15,30,44,10.5,11:45:00.1", Kind::Pair, {44, 10.5, 11, 45, 0.1}},
    {"timeFieldOutOfPlace", "45;10:15:30;9", Kind::Error, {}, {}, "il campo 2 è un'ora fuori posto"},
    {"timeFieldBeyondTheDay", "45;9;25:15:30", Kind::Error, {}, {}, "il campo 3 non è un'ora del giorno"},
    {"sepLineFirst", "sep=;", Kind::Blank, {}, {}, {}, true},
    {"columnHeader", "time,lat,lon,accuracy(m)", Kind::Ignored, {}, {}, {}, true},
    // A sentence of a type no rule reads is ignored, whatever its checksum.
    {"otherSentenceEmptyChecksum", "$GPBOD,,T,,M,,*", Kind::Ignored},
};

// The kind of each value, in Kind's terms.
Kind kindOf(const LineValue& value)
{
    return std::visit(
        [](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Blank>) return Kind::Blank;
            else if constexpr (std::is_same_v<T, Ignored>) return Kind::Ignored;
            else if constexpr (std::is_same_v<T, EpochFix> || std::is_same_v<T, RowFix>) return Kind::Fix;
            else if constexpr (std::is_same_v<T, RowPair>) return Kind::Pair;
            else if constexpr (std::is_same_v<T, EpochDate>) return Kind::Date;
            else return Kind::Error;
        },
        value);
}

std::int64_t nanoseconds(const Expected& e)
{
    return *clockNanoseconds(e.hours, e.minutes, e.seconds);
}

class InputLineRows : public testing::TestWithParam<Row> {};

TEST_P(InputLineRows, ReadsAsExpected)
{
    const Row& row = GetParam();
    const LineValue read = readLine(row.line, row.headerAllowed);
    ASSERT_EQ(kindOf(read), row.kind);
    const Fix* fix = nullptr;
    if (const auto* date = std::get_if<EpochDate>(&read)) {
        EXPECT_EQ(date->nanoseconds, nanoseconds(row.fix));
        EXPECT_EQ(date->date, row.date);
    } else if (const auto* epoch = std::get_if<EpochFix>(&read)) {
        fix = &epoch->fix;
        EXPECT_EQ(fix->clock->date, row.date);
    } else if (const auto* rowFix = std::get_if<RowFix>(&read)) {
        fix = &rowFix->fix;
    } else if (const auto* pair = std::get_if<RowPair>(&read)) {
        fix = &pair->second;
        EXPECT_EQ(pair->first.latitude, 45.5);
        EXPECT_EQ(pair->first.longitude, 9.25);
    } else if (const auto* error = std::get_if<LineError>(&read)) {
        EXPECT_NE(error->reason.find(row.reason), std::string::npos) << error->reason;
    }
    if (fix) {
        EXPECT_DOUBLE_EQ(fix->latitude, row.fix.latitude);
        EXPECT_EQ(fix->longitude, row.fix.longitude);
        ASSERT_TRUE(fix->clock);
        EXPECT_EQ(fix->clock->nanoseconds, nanoseconds(row.fix));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, InputLineRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Each sentence type's sample, written for 10:41:27.50 on 8 December 2026 at
// 45°24.123' N 9°11.234' E: a wrong field number in the table misreads it.
TEST(SentenceLayouts, eachSampleReadsAsItsFields)
{
    for (const SentenceLayout& layout : sentenceLayouts()) {
        SCOPED_TRACE(layout.sample);
        const LineValue read = readLine(layout.sample, false);
        std::optional<std::int64_t> clock, date;
        if (const auto* epoch = std::get_if<EpochFix>(&read)) {
            clock = epoch->fix.clock->nanoseconds;
            date = epoch->fix.clock->date;
            EXPECT_DOUBLE_EQ(epoch->fix.latitude, angle(45, 24.123));
            EXPECT_DOUBLE_EQ(epoch->fix.longitude, angle(9, 11.234));
            EXPECT_EQ(epoch->fix.elevation, layout.altitude ? std::optional(120.0) : std::nullopt);
        } else if (const auto* epochDate = std::get_if<EpochDate>(&read)) {
            clock = epochDate->nanoseconds;
            date = epochDate->date;
        }
        ASSERT_TRUE(clock);
        EXPECT_EQ(*clock, 38'487'500'000'000);
        if (layout.date != SentenceLayout::Date::None) {
            EXPECT_EQ(date, 9778);  // 8 December 2026, counted from 1 March 2000
        }
    }
}

} // namespace
} // namespace zelva::batch
