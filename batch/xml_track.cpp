// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/xml_track.h"

#include <expat.h>

#include <cstring>
#include <deque>
#include <new>
#include <vector>

namespace zelva::batch {

namespace {

enum class Kind { Unknown, Gpx, Tcx, Kml };

// What the text of the element being read is for.
enum class Text { None, Time, Latitude, Longitude, When, Coord, Coordinates };

// No value of these formats is longer; a longer text is no value.
constexpr std::size_t kLongestValue = 256;

std::string_view localName(const XML_Char* name)
{
    const std::string_view whole(name);
    const std::size_t colon = whole.rfind(':');
    return colon == std::string_view::npos ? whole : whole.substr(colon + 1);
}

// A point as its elements come: text first, judged when the point ends.
struct Draft {
    long line = 0;
    std::string latitude, longitude, time;
    bool hasPosition = false;
};

struct Coordinate {
    long line = 0;
    std::string text;
};

} // namespace

struct XmlTrackReader::State {
    explicit State(TrackSink& s) : sink(s), parser(XML_ParserCreate(nullptr)) {}
    ~State() { XML_ParserFree(parser); }

    // expat's user data back as the state.
    static State& of(void* data) { return *static_cast<State*>(data); }

    TrackSink& sink;
    XML_Parser parser;
    Kind kind = Kind::Unknown;
    std::vector<std::string> path;  // local names from the root
    bool inList = false;
    std::size_t listDepth = 0;  // the element that began the list
    std::optional<Draft> draft;
    Text text = Text::None;
    std::size_t textDepth = 0;  // the element whose text it is
    std::string value;
    bool valueTooLong = false;
    std::deque<std::pair<long, std::string>> whens;  // gx:Track: times waiting for their coordinates
    std::deque<Coordinate> coords;
    std::string tuple;  // LineString: the coordinates tuple cut by the end of a piece of text
    long tupleLine = 0;
    std::optional<Error> error;

    long line() const { return static_cast<long>(XML_GetCurrentLineNumber(parser)); }
    std::string_view parent() const { return path.size() < 2 ? std::string_view() : path[path.size() - 2]; }

    void fail(std::string reason)
    {
        if (!error)
            error = Error{line(), std::move(reason)};
        XML_StopParser(parser, XML_FALSE);
    }

    void collect(Text what)
    {
        text = what;
        textDepth = path.size();
        value.clear();
        valueTooLong = false;
    }

    // A list inside a list (no format has one, but a file may) is part of the outer one.
    bool beginList()
    {
        if (inList)
            return false;
        inList = true;
        listDepth = path.size();
        sink.beginList();
        return true;
    }

    void endList()
    {
        if (!inList)
            return;
        inList = false;
        sink.endList();
    }

    // lat and lon as text, time as text or empty: a point or a bad point.
    void emit(long at, std::string_view latitude, std::string_view longitude, std::string_view time, bool timed)
    {
        if (!inList)
            return;  // a point outside any list: no leg can have it
        const std::optional<double> lat = readDegrees(latitude, 90.0);
        const std::optional<double> lon = readDegrees(longitude, 180.0);
        std::optional<UtcTime> clock;
        if (timed)
            clock = readDateTime(time);
        if (!lat)
            sink.badPoint(at, "punto con latitudine non valida, saltato");
        else if (!lon)
            sink.badPoint(at, "punto con longitudine non valida, saltato");
        else if (timed && !clock)
            sink.badPoint(at, "punto con data e ora non valide, saltato");
        else
            sink.point(TrackPoint{at, *lat, *lon, clock});
    }

    // "lon lat [alt]" (gx:coord) or "lon,lat[,alt]" (coordinates).
    void emitTuple(long at, std::string_view tupleText, char separator, const std::string* time)
    {
        const std::size_t first = tupleText.find(separator);
        const std::size_t second =
            first == std::string_view::npos ? std::string_view::npos : tupleText.find(separator, first + 1);
        if (first == std::string_view::npos) {
            sink.badPoint(at, "coordinate non valide, saltate");
            return;
        }
        const std::string_view lon = tupleText.substr(0, first);
        const std::string_view lat = tupleText.substr(first + 1, second == std::string_view::npos
                                                                     ? std::string_view::npos
                                                                     : second - first - 1);
        emit(at, lat, lon, time ? std::string_view(*time) : std::string_view(), time != nullptr);
    }

    void pairTrack()
    {
        while (!whens.empty() && !coords.empty()) {
            emitTuple(coords.front().line, coords.front().text, ' ', &whens.front().second);
            whens.pop_front();
            coords.pop_front();
        }
    }

    // The complete tuples of a LineString's text; the last may go on in the next piece.
    void coordinatesText(std::string_view piece, bool ended)
    {
        for (const char c : piece) {
            if (!isXmlSpace(c)) {
                if (tuple.empty())
                    tupleLine = line();
                if (tuple.size() < kLongestValue)
                    tuple += c;
                continue;
            }
            if (!tuple.empty())
                emitTuple(tupleLine, tuple, ',', nullptr);
            tuple.clear();
        }
        if (ended && !tuple.empty()) {
            emitTuple(tupleLine, tuple, ',', nullptr);
            tuple.clear();
        }
    }

    void start(const XML_Char* name, const XML_Char** attributes)
    {
        const std::string_view local = localName(name);
        if (path.empty()) {
            if (local == "gpx")
                kind = Kind::Gpx;
            else if (local == "TrainingCenterDatabase")
                kind = Kind::Tcx;
            else if (local == "kml")
                kind = Kind::Kml;
            else
                return fail("formato XML sconosciuto: <" + std::string(name) + "> (servono GPX, TCX o KML)");
        }
        path.emplace_back(local);
        const std::string_view parentName = parent();
        switch (kind) {
        case Kind::Gpx:
            if (local == "trkseg" || local == "rte") {
                beginList();
            } else if ((local == "trkpt" && parentName == "trkseg") || (local == "rtept" && parentName == "rte")) {
                draft = Draft{line(), {}, {}, {}, true};
                for (const XML_Char** a = attributes; *a; a += 2) {
                    if (std::strcmp(a[0], "lat") == 0)
                        draft->latitude = a[1];
                    else if (std::strcmp(a[0], "lon") == 0)
                        draft->longitude = a[1];
                }
            } else if (local == "time" && draft && (parentName == "trkpt" || parentName == "rtept")) {
                collect(Text::Time);
            }
            break;
        case Kind::Tcx:
            if (local == "Track") {
                beginList();
            } else if (local == "Trackpoint" && parentName == "Track") {
                draft = Draft{line(), {}, {}, {}, false};
            } else if (draft && local == "Time" && parentName == "Trackpoint") {
                collect(Text::Time);
            } else if (draft && parentName == "Position" && (local == "LatitudeDegrees" || local == "LongitudeDegrees")) {
                draft->hasPosition = true;
                collect(local == "LatitudeDegrees" ? Text::Latitude : Text::Longitude);
            }
            break;
        case Kind::Kml:
            if ((local == "Track" || local == "LineString") && beginList()) {
                whens.clear();
                coords.clear();
            } else if (local == "when" && parentName == "Track") {
                collect(Text::When);
                whens.emplace_back(line(), std::string());
            } else if (local == "coord" && parentName == "Track") {
                collect(Text::Coord);
                coords.push_back(Coordinate{line(), {}});
            } else if (local == "coordinates" && parentName == "LineString") {
                collect(Text::Coordinates);
                tuple.clear();
            }
            break;
        case Kind::Unknown:
            break;
        }
    }

    void end()
    {
        const std::string local = path.empty() ? std::string() : path.back();
        // Only the end of the element being read ends its text; one inside
        // it (not in these formats, but in a file) does not.
        const Text ended = path.size() == textDepth ? text : Text::None;
        if (ended != Text::None)
            text = Text::None;
        const std::string finished = valueTooLong ? std::string() : value;
        switch (ended) {
        case Text::Time: if (draft) draft->time = finished; break;
        case Text::Latitude: if (draft) draft->latitude = finished; break;
        case Text::Longitude: if (draft) draft->longitude = finished; break;
        case Text::When: if (!whens.empty()) whens.back().second = finished; pairTrack(); break;
        case Text::Coord: if (!coords.empty()) coords.back().text = finished; pairTrack(); break;
        case Text::Coordinates: coordinatesText({}, true); break;
        case Text::None: break;
        }
        if (draft && (local == "trkpt" || local == "rtept" || local == "Trackpoint")) {
            // A TCX trackpoint may hold only a heart rate or a distance.
            if (draft->hasPosition)
                emit(draft->line, draft->latitude, draft->longitude, draft->time, !draft->time.empty());
            draft.reset();
        } else if (inList && path.size() == listDepth) {
            if (kind == Kind::Kml && (!whens.empty() || !coords.empty())) {
                sink.badPoint(line(), "gx:Track con quantità diverse di <when> e <gx:coord>: avanzi saltati");
                whens.clear();
                coords.clear();
            }
            endList();
        }
        if (!path.empty())
            path.pop_back();
    }

    void characters(const XML_Char* data, int length)
    {
        if (text == Text::None)
            return;
        const std::string_view piece(data, static_cast<std::size_t>(length));
        if (text == Text::Coordinates)
            return coordinatesText(piece, false);
        if (value.size() + piece.size() > kLongestValue)
            valueTooLong = true;
        else
            value += piece;
    }
};

XmlTrackReader::XmlTrackReader(TrackSink& sink) : state_(std::make_unique<State>(sink))
{
    XML_Parser parser = state_->parser;
    if (!parser)
        throw std::bad_alloc();
    XML_SetUserData(parser, state_.get());
    XML_SetElementHandler(
        parser, [](void* data, const XML_Char* name, const XML_Char** attributes) { State::of(data).start(name, attributes); },
        [](void* data, const XML_Char*) { State::of(data).end(); });
    XML_SetCharacterDataHandler(
        parser, [](void* data, const XML_Char* text, int length) { State::of(data).characters(text, length); });
    // No track format has a DTD: refusing one refuses every entity with it,
    // so nothing is expanded beyond the text itself and nothing is loaded.
    XML_SetStartDoctypeDeclHandler(parser, [](void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        State::of(data).fail("XML non valido: DTD non ammessa (GPX, TCX e KML non ne hanno)");
    });
}

XmlTrackReader::~XmlTrackReader() = default;

bool XmlTrackReader::feed(const char* data, std::size_t size, bool last)
{
    State& state = *state_;
    if (state.error)
        return false;
    if (XML_Parse(state.parser, data, static_cast<int>(size), last ? 1 : 0) == XML_STATUS_ERROR && !state.error)
        state.error = Error{state.line(),
                            std::string("XML non valido: ") + XML_ErrorString(XML_GetErrorCode(state.parser))};
    if (state.error) {
        state.endList();  // the points before the error are kept
        return false;
    }
    if (last)
        state.endList();
    return true;
}

const std::optional<XmlTrackReader::Error>& XmlTrackReader::error() const
{
    return state_->error;
}

std::optional<bool> looksLikeXml(std::string_view start)
{
    if (start.starts_with("\xEF\xBB\xBF"))
        start.remove_prefix(3);
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::nullopt;
    return start[first] == '<';
}

} // namespace zelva::batch
