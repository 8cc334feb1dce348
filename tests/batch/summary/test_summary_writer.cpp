// SPDX-License-Identifier: GPL-3.0-or-later
// The summary's lines as written: its columns, its moments in ISO 8601, and
// a total after a track's, an input's and a run's lines where it sums two.
#include "batch/write/table_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/fix/civil_date.h"
#include "batch/write/iso_time.h"

namespace zelva::batch::testing {
namespace {

constexpr std::int64_t kSecond = kNanosecondsPerSecond;

TEST(CivilDate, backFromEveryDayNumber)
{
    // Every day from year 1 to 9999, and the days the calendar turns on.
    const std::int64_t first = *dayNumber(1, 1, 1), last = *dayNumber(9999, 12, 31);
    int checked = 0;
    for (std::int64_t day = first; day <= last; day += 17) {
        const CivilDate date = civilDate(day);
        ASSERT_EQ(dayNumber(static_cast<int>(date.year), date.month, date.day), day) << day;
        ++checked;
    }
    EXPECT_GT(checked, 200000);
    for (const auto& [y, m, d] : {std::tuple{2000, 3, 1}, {2000, 2, 29}, {1900, 2, 28}, {1900, 3, 1}, {2026, 12, 8},
                                  {2024, 12, 31}, {2025, 1, 1}, {1, 1, 1}, {9999, 12, 31}}) {
        const CivilDate date = civilDate(*dayNumber(y, m, d));
        EXPECT_EQ(date.year, y);
        EXPECT_EQ(date.month, m);
        EXPECT_EQ(date.day, d);
    }
}

struct IsoRow {
    std::string_view name;
    Instant instant;
    std::string_view text;
};

void PrintTo(const IsoRow& row, std::ostream* out) { *out << row.name; }

const std::int64_t kDay = *dayNumber(2026, 12, 8);

const IsoRow kIsoRows[] = {
    {"whole", {kDay, (10 * 3600 + 15 * 60 + 30) * kSecond}, "2026-12-08T10:15:30Z"},
    {"tenths", {kDay, (10 * 3600 + 15 * 60 + 30) * kSecond + 500'000'000}, "2026-12-08T10:15:30.5Z"},
    {"nanosecond", {kDay, 1}, "2026-12-08T00:00:00.000000001Z"},
    {"leapSecond", {*dayNumber(2016, 12, 31), 86400 * kSecond + 250'000'000}, "2016-12-31T23:59:60.25Z"},
    {"pastTheDay", {kDay, 90000 * kSecond}, "2026-12-09T01:00:00Z"},
    {"beforeTheDay", {kDay, -1 * kSecond}, "2026-12-07T23:59:59Z"},
    {"leapDay", {*dayNumber(2028, 2, 29), 0}, "2028-02-29T00:00:00Z"},
};

class IsoTimeTest : public ::testing::TestWithParam<IsoRow> {};

TEST_P(IsoTimeTest, written)
{
    std::string out = "x";
    appendIsoTime(out, GetParam().instant);
    EXPECT_EQ(out, "x" + std::string(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Rows, IsoTimeTest, ::testing::ValuesIn(kIsoRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A temporary file; where the system's own has no room (the root of a
// Windows drive), one in the working folder named after the test.
std::FILE* temporaryFile()
{
    if (std::FILE* file = std::tmpfile())
        return file;
    const std::string name = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".out";
    return std::fopen(name.c_str(), "w+b");
}

// The writer's output through a temporary file, as lines.
class Written {
public:
    Written(bool fileColumn, DecimalSeparator separator = DecimalSeparator::Point)
        : file_(temporaryFile(), &std::fclose), table_(separator, fileColumn), output_(file_.get()),
          writer_(table_, output_)
    {
        EXPECT_NE(file_.get(), nullptr);
    }
    SummaryWriter& writer() { return writer_; }
    std::vector<std::string> lines()
    {
        output_.flush();
        std::rewind(file_.get());
        std::string text;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_.get())) > 0;)
            text.append(buffer, n);
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

private:
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
    LegTable table_;
    OutputStream output_;
    SummaryWriter writer_;
};

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        out.push_back(field);
    if (!line.empty() && line.back() == ',')
        out.emplace_back();
    return out;
}

// A list of fixes a minute apart going north by 600 m a minute (36 km/h).
void list(SummaryWriter& writer, long line, int fixes, std::int64_t date, int startMinute)
{
    std::vector<Fix> all;
    for (int i = 0; i < fixes; ++i) {
        Fix fix;
        fix.line = line + i;
        fix.latitude = 45.0 + 0.6 * (startMinute + i) / 6371.0 * 180.0 / 3.141592653589793;
        fix.longitude = 9.0;
        fix.clock = Clock{(startMinute + i) * 60 * kSecond, date};
        fix.elevation = 100.0 + 10.0 * i;
        all.push_back(fix);
    }
    writer.beginList(all.front());
    for (std::size_t i = 1; i < all.size(); ++i)
        writer.leg(Leg{all[i - 1], all[i], 0.6, 60 * kSecond});
    writer.endList();
}

TEST(SummaryWriter, columnsInOrder)
{
    Written out(true);
    out.writer().header();
    EXPECT_EQ(out.lines(), std::vector<std::string>{
                               "file,riga,posizioni,inizio,fine,distanza_km,durata_s,in_movimento_s,fermo_s,"
                               "velocita_media_km_h,velocita_max_km_h,passo_min_km,salita_m,discesa_m,quota_min_m,"
                               "quota_max_m,punti_anomali"});
}

TEST(SummaryWriter, aLineOfEveryFigure)
{
    Written out(false, DecimalSeparator::Comma);
    out.writer().input("ride.gpx");
    list(out.writer(), 7, 4, kDay, 600);
    out.writer().finish();
    EXPECT_EQ(out.lines(), std::vector<std::string>{"7;4;2026-12-08T10:00:00Z;2026-12-08T10:03:00Z;1,8;180;180;0;36;36;"
                                                    "1,66666666666667;30;0;100;130;0"});
}

TEST(SummaryWriter, totalsWhereTheySumTwoLines)
{
    Written out(true);
    SummaryWriter& w = out.writer();
    // A GPX: a track of two segments, a track of one.
    w.input("a.gpx");
    w.beginTrack();
    list(w, 5, 3, kDay, 0);
    list(w, 10, 2, kDay, 10);
    w.endTrack();
    w.beginTrack();
    list(w, 20, 2, kDay, 30);
    w.endTrack();
    // A log of one list: no total of its own.
    w.input("b.nmea");
    list(w, 1, 4, kDay + 1, 0);
    w.finish();
    const std::vector<std::string> lines = out.lines();
    ASSERT_EQ(lines.size(), 7u);
    const auto f = [&](std::size_t line) { return fields(lines[line]); };
    EXPECT_EQ(f(0)[1], "5");
    EXPECT_EQ(f(1)[1], "10");
    // The first track's.
    EXPECT_EQ(f(2)[0], "a.gpx");
    EXPECT_EQ(f(2)[1], "totale");
    EXPECT_EQ(f(2)[2], "5");
    EXPECT_EQ(f(2)[3], "2026-12-08T00:00:00Z");
    EXPECT_EQ(f(2)[4], "2026-12-08T00:11:00Z");
    EXPECT_EQ(f(2)[6], "180");
    EXPECT_EQ(f(3)[1], "20");
    // The file's: the two tracks.
    EXPECT_EQ(f(4)[0], "a.gpx");
    EXPECT_EQ(f(4)[1], "totale");
    EXPECT_EQ(f(4)[2], "7");
    EXPECT_EQ(f(4)[4], "2026-12-08T00:31:00Z");
    EXPECT_EQ(f(5)[0], "b.nmea");
    EXPECT_EQ(f(5)[1], "1");
    // The run's: both files, under no file's name.
    EXPECT_EQ(f(6)[0], "");
    EXPECT_EQ(f(6)[1], "totale");
    EXPECT_EQ(f(6)[2], "11");
    EXPECT_EQ(f(6)[3], "2026-12-08T00:00:00Z");
    EXPECT_EQ(f(6)[4], "2026-12-09T00:03:00Z");
    EXPECT_EQ(f(6)[5], "4.2");  // km
    EXPECT_EQ(f(6)[6], "420");  // the lists' times, not the days between
    EXPECT_EQ(f(6)[9], "36");
    EXPECT_EQ(f(6)[12], "70");
    EXPECT_EQ(f(6)[14], "100");
    EXPECT_EQ(f(6)[15], "130");
}

TEST(SummaryWriter, oneSegmentTrackNoTotal)
{
    Written out(false);
    SummaryWriter& w = out.writer();
    w.input("-");
    w.beginTrack();
    list(w, 3, 5, kDay, 0);
    w.endTrack();
    w.finish();
    EXPECT_EQ(out.lines().size(), 1u);
}

TEST(SummaryWriter, aTrackCutShortStillTotals)
{
    // Malformed XML ends the reading inside a track: the next input closes it.
    Written out(true);
    SummaryWriter& w = out.writer();
    w.input("cut.gpx");
    w.beginTrack();
    list(w, 3, 2, kDay, 0);
    list(w, 8, 2, kDay, 5);
    w.input("next.gpx");
    w.finish();
    const std::vector<std::string> lines = out.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(fields(lines[2])[1], "totale");
    EXPECT_EQ(fields(lines[2])[2], "4");
}

TEST(SummaryWriter, aPairInTheMiddleOfAList)
{
    // Rows of ten numbers among rows of five: the pair is a line of its own,
    // and the list goes on as it was.
    Written out(false);
    SummaryWriter& w = out.writer();
    w.input("rows.txt");
    const Fix a{1, 45.0, 9.0, Clock{0, std::nullopt}, std::nullopt};
    const Fix b{2, 45.01, 9.0, Clock{100 * kSecond, std::nullopt}, std::nullopt};
    const Fix c{3, a.latitude, a.longitude, a.clock, std::nullopt};
    const Fix d{3, b.latitude, b.longitude, b.clock, std::nullopt};
    w.beginList(a);
    w.pair(Leg{c, d, 1.11, 100 * kSecond});
    w.leg(Leg{a, b, 1.11, 100 * kSecond});
    w.endList();
    w.finish();
    const std::vector<std::string> lines = out.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(fields(lines[0])[0], "3");
    EXPECT_EQ(fields(lines[1])[0], "1");
    EXPECT_EQ(fields(lines[1])[1], "2");
    EXPECT_EQ(fields(lines[1])[4], "1.11");
    EXPECT_EQ(fields(lines[2])[0], "totale");
    EXPECT_EQ(fields(lines[2])[1], "4");
}

TEST(SummaryWriter, unknownsEmpty)
{
    // A route: no times, no elevations.
    Written out(false);
    SummaryWriter& w = out.writer();
    w.input("route.gpx");
    const Fix a{4, 45.0, 9.0, std::nullopt, std::nullopt};
    const Fix b{5, 45.01, 9.0, std::nullopt, std::nullopt};
    w.beginList(a);
    w.leg(Leg{a, b, 1.11, std::nullopt});
    w.endList();
    w.finish();
    EXPECT_EQ(out.lines(), std::vector<std::string>{"4,2,,,1.11,,,,,,,,,,,"});
}

} // namespace
} // namespace zelva::batch::testing
