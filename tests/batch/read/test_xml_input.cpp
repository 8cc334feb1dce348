// SPDX-License-Identifier: GPL-3.0-or-later
// GPX, TCX and KML as a pipe gives them, cut anywhere: inside a tag, a time,
// or a coordinates tuple. The fixes, lists and rejections are those of the
// whole document read at once.
#include "batch/read/xml_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace zelva::batch {
namespace {

// Everything the reader says, one line each, in order.
class Transcript : public FixSink, public RejectionSink {
public:
    void fix(const Fix& fix) override
    {
        std::ostringstream line;
        line.precision(17);
        line << fix.line << ' ' << fix.latitude << ' ' << fix.longitude;
        if (fix.clock)
            line << " t" << fix.clock->nanoseconds << " d" << fix.clock->date.value_or(-1);
        if (fix.elevation)
            line << " e" << *fix.elevation;
        lines.push_back(line.str());
    }
    void pair(const Fix&, const Fix&) override { lines.emplace_back("pair"); }
    void endList() override { lines.emplace_back("end"); }
    void rejected(const Rejection& rejection) override
    {
        lines.push_back(std::to_string(rejection.line) + ": " + rejection.reason);
    }
    std::vector<std::string> lines;
};

std::vector<std::string> read(std::string_view document, std::size_t piece)
{
    Transcript transcript;
    XmlInput input(transcript, transcript);
    bool useful = true;
    for (std::size_t at = 0; useful && at < document.size(); at += piece)
        useful = input.feed(document.substr(at, piece));
    input.finish(false);
    return transcript.lines;
}

constexpr std::string_view kGpx = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1">
 <trk><trkseg>
  <trkpt lat="45.4642" lon="9.19"><ele>122.5</ele><time>2026-12-08T10:00:00.1Z</time></trkpt>
  <trkpt lat="45.4643" lon="9.1901"><time>2026-12-08T10:00:00.2Z</time></trkpt>
  <trkpt lat="91" lon="9.1902"><time>2026-12-08T10:00:00.3Z</time></trkpt>
 </trkseg></trk>
</gpx>
)";

constexpr std::string_view kKml = R"(<kml xmlns="http://www.opengis.net/kml/2.2" xmlns:gx="http://www.google.com/kml/ext/2.2">
<Placemark><gx:Track>
 <when>2026-12-08T10:00:00Z</when><when>2026-12-08T10:00:05+01:00</when>
 <gx:coord>9.19 45.4642 120</gx:coord><gx:coord>9.1901 45.4643 121.5</gx:coord>
</gx:Track></Placemark>
<Placemark><LineString><coordinates>
 9.19,45.4642,10 9.1901,45.4643
 9.1902,45.4644,12.25
</coordinates></LineString></Placemark>
</kml>
)";

constexpr std::string_view kTcx = R"(<TrainingCenterDatabase><Activities><Activity><Lap><Track>
<Trackpoint><Time>2026-12-08T10:00:00Z</Time><Position><LatitudeDegrees>45.4642</LatitudeDegrees>
<LongitudeDegrees>9.19</LongitudeDegrees></Position><AltitudeMeters>-3.5</AltitudeMeters></Trackpoint>
<Trackpoint><Time>2026-12-08T10:00:01Z</Time><HeartRateBpm><Value>120</Value></HeartRateBpm></Trackpoint>
</Track></Lap></Activity></Activities></TrainingCenterDatabase>
)";

TEST(XmlInput, readsWhatEachFormatHolds)
{
    EXPECT_EQ(read(kGpx, kGpx.size()),
              (std::vector<std::string>{"4 45.464199999999998 9.1899999999999995 t36000100000000 d9778 e122.5",
                                        "5 45.464300000000001 9.1900999999999993 t36000200000000 d9778",
                                        "6: punto con latitudine non valida, saltato", "end"}));
    // The offset moves the second time to 09:00:05 UTC.
    EXPECT_EQ(read(kKml, kKml.size()),
              (std::vector<std::string>{"4 45.464199999999998 9.1899999999999995 t36000000000000 d9778 e120",
                                        "4 45.464300000000001 9.1900999999999993 t32405000000000 d9778 e121.5",
                                        "end", "7 45.464199999999998 9.1899999999999995 e10",
                                        "7 45.464300000000001 9.1900999999999993",
                                        "8 45.464399999999998 9.1902000000000008 e12.25", "end"}));
    // A trackpoint of a heart rate alone is no fix.
    EXPECT_EQ(read(kTcx, kTcx.size()),
              (std::vector<std::string>{"2 45.464199999999998 9.1899999999999995 t36000000000000 d9778 e-3.5", "end"}));
}

// A point's values are its own: none is left from the point before, nor from
// an earlier element of the same point when a later one is too long.
TEST(XmlInput, pointsKeepNothingOfTheOneBefore)
{
    const std::string gpx = R"(<gpx><trk><trkseg>
<trkpt lat="45" lon="9"><ele>1</ele><time>2026-12-08T10:00:00Z</time></trkpt>
<trkpt lon="9.1"><time>2026-12-08T10:00:01Z</time></trkpt>
<trkpt lat="45.2" lon="9.2"></trkpt>
<trkpt lat="45.3" lon="9.3"><time>2026-12-08T10:00:02Z</time><time>)"
                            + std::string(300, '1') + "</time></trkpt>\n</trkseg></trk></gpx>\n";
    EXPECT_EQ(read(gpx, gpx.size()), (std::vector<std::string>{"2 45 9 t36000000000000 d9778 e1",
                                                                "3: punto con latitudine non valida, saltato",
                                                                "4 45.200000000000003 9.1999999999999993",
                                                                "5 45.299999999999997 9.3000000000000007", "end"}));
}

// Cut at every size from a byte to a tag or two: the same transcript.
TEST(XmlInput, piecesReadAsTheWhole)
{
    for (const std::string_view document : {kGpx, kKml, kTcx}) {
        const std::vector<std::string> whole = read(document, document.size());
        for (const std::size_t piece : {1, 2, 3, 5, 7, 13, 64}) {
            SCOPED_TRACE(piece);
            EXPECT_EQ(read(document, piece), whole);
        }
    }
}

} // namespace
} // namespace zelva::batch
