// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/xml_input.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <new>
#include <string>
#include <vector>

#include "batch/read/input_bytes.h"
#include "batch/read/xml_values.h"

namespace zelva::batch {

namespace {

enum class Kind { Unknown, Gpx, Tcx, Kml };

// What an element is to the reader; the values are read from its text.
enum class Role { None, List, Point, Time, Latitude, Longitude, Elevation, When, Coord, Coordinates };

struct Root {
    std::string_view name;
    Kind kind;
};
constexpr Root kRoots[] = {{"gpx", Kind::Gpx}, {"TrainingCenterDatabase", Kind::Tcx}, {"kml", Kind::Kml}};

// Elements by their local name and their parent's ("" for any parent).
struct Element {
    Kind kind;
    std::string_view name;
    std::string_view parent;
    Role role;
};
constexpr Element kElements[] = {
    {Kind::Gpx, "trkseg", "", Role::List},
    {Kind::Gpx, "rte", "", Role::List},
    {Kind::Gpx, "trkpt", "trkseg", Role::Point},
    {Kind::Gpx, "rtept", "rte", Role::Point},
    {Kind::Gpx, "time", "trkpt", Role::Time},
    {Kind::Gpx, "time", "rtept", Role::Time},
    {Kind::Gpx, "ele", "trkpt", Role::Elevation},
    {Kind::Gpx, "ele", "rtept", Role::Elevation},
    {Kind::Tcx, "Track", "", Role::List},
    {Kind::Tcx, "Trackpoint", "Track", Role::Point},
    {Kind::Tcx, "Time", "Trackpoint", Role::Time},
    {Kind::Tcx, "LatitudeDegrees", "Position", Role::Latitude},
    {Kind::Tcx, "LongitudeDegrees", "Position", Role::Longitude},
    {Kind::Tcx, "AltitudeMeters", "Trackpoint", Role::Elevation},
    {Kind::Kml, "Track", "", Role::List},
    {Kind::Kml, "LineString", "", Role::List},
    {Kind::Kml, "when", "Track", Role::When},
    {Kind::Kml, "coord", "Track", Role::Coord},
    {Kind::Kml, "coordinates", "LineString", Role::Coordinates},
};
// A GPX point's position is in these attributes of its element.
constexpr std::string_view kLatitudeAttribute = "lat";
constexpr std::string_view kLongitudeAttribute = "lon";

Role roleOf(Kind kind, std::string_view name, std::string_view parent)
{
    const auto element = std::find_if(std::begin(kElements), std::end(kElements), [&](const Element& e) {
        return e.kind == kind && e.name == name && (e.parent.empty() || e.parent == parent);
    });
    return element == std::end(kElements) ? Role::None : element->role;
}

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
    std::string latitude, longitude, time, elevation;
    bool hasPosition = false;
};

struct Coordinate {
    long line = 0;
    std::string text;
};

} // namespace

struct XmlInput::State {
    State(FixSink& f, RejectionSink& r) : fixes(f), rejections(r), parser(XML_ParserCreate(nullptr)) {}
    ~State() { XML_ParserFree(parser); }

    // expat's user data back as the state.
    static State& of(void* data) { return *static_cast<State*>(data); }

    FixSink& fixes;
    RejectionSink& rejections;
    XML_Parser parser;
    Kind kind = Kind::Unknown;
    std::vector<std::string> path;  // local names from the root
    bool inList = false;
    std::size_t listDepth = 0;  // the element that began the list
    std::optional<Draft> draft;
    Role text = Role::None;     // what the text being read is for
    std::size_t textDepth = 0;  // the element whose text it is
    std::string value;
    bool valueTooLong = false;
    std::deque<std::pair<long, std::string>> whens;  // gx:Track: times waiting for their coordinates
    std::deque<Coordinate> coords;
    std::string tuple;  // LineString: the coordinates tuple cut by the end of a piece of text
    long tupleLine = 0;
    bool failed = false;

    long line() const { return static_cast<long>(XML_GetCurrentLineNumber(parser)); }
    std::string_view parent() const { return path.size() < 2 ? std::string_view() : path[path.size() - 2]; }

    void fail(std::string reason)
    {
        if (!failed)
            rejections.rejected({line(), std::move(reason)});
        failed = true;
        XML_StopParser(parser, XML_FALSE);
    }

    void collect(Role what)
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
        return true;
    }

    void endList()
    {
        if (!inList)
            return;
        inList = false;
        fixes.endList();
    }

    // Position, time and elevation as text, time empty where the point has no clock.
    void emit(long at, std::string_view latitude, std::string_view longitude, std::string_view time, bool timed,
              std::string_view elevation)
    {
        if (!inList)
            return;  // a point outside any list: no leg can have it
        const std::optional<double> lat = readDegrees(latitude, kLatitudeLimit);
        const std::optional<double> lon = readDegrees(longitude, kLongitudeLimit);
        const std::optional<Clock> clock = timed ? readDateTime(time) : std::nullopt;
        if (!lat)
            rejections.rejected({at, "punto con latitudine non valida, saltato"});
        else if (!lon)
            rejections.rejected({at, "punto con longitudine non valida, saltato"});
        else if (timed && !clock)
            rejections.rejected({at, "punto con data e ora non valide, saltato"});
        else
            fixes.fix(Fix{at, *lat, *lon, clock, readMetres(elevation)});
    }

    // "lon lat [alt]" (gx:coord) or "lon,lat[,alt]" (coordinates).
    void emitTuple(long at, std::string_view tupleText, char separator, const std::string* time)
    {
        const std::size_t first = tupleText.find(separator);
        if (first == std::string_view::npos)
            return rejections.rejected({at, "coordinate non valide, saltate"});
        const std::size_t second = tupleText.find(separator, first + 1);
        const std::string_view lon = tupleText.substr(0, first);
        const std::string_view lat = tupleText.substr(first + 1, second == std::string_view::npos
                                                                     ? std::string_view::npos
                                                                     : second - first - 1);
        const std::string_view alt =
            second == std::string_view::npos ? std::string_view() : tupleText.substr(second + 1);
        emit(at, lat, lon, time ? std::string_view(*time) : std::string_view(), time != nullptr, alt);
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
            const auto root = std::find_if(std::begin(kRoots), std::end(kRoots),
                                           [&](const Root& r) { return r.name == local; });
            if (root == std::end(kRoots))
                return fail("formato XML sconosciuto: <" + std::string(name) + "> (servono GPX, TCX o KML)");
            kind = root->kind;
        }
        path.emplace_back(local);
        const Role role = roleOf(kind, local, parent());
        switch (role) {
        case Role::List:
            if (beginList() && kind == Kind::Kml) {
                whens.clear();
                coords.clear();
            }
            break;
        case Role::Point:
            draft = Draft{line(), {}, {}, {}, {}, kind == Kind::Gpx};
            for (const XML_Char** a = attributes; kind == Kind::Gpx && *a; a += 2) {
                if (a[0] == kLatitudeAttribute)
                    draft->latitude = a[1];
                else if (a[0] == kLongitudeAttribute)
                    draft->longitude = a[1];
            }
            break;
        case Role::Latitude:
        case Role::Longitude:
            if (!draft)
                break;
            draft->hasPosition = true;
            collect(role);
            break;
        case Role::Time:
        case Role::Elevation:
            if (draft)
                collect(role);
            break;
        case Role::When:
            collect(role);
            whens.emplace_back(line(), std::string());
            break;
        case Role::Coord:
            collect(role);
            coords.push_back(Coordinate{line(), {}});
            break;
        case Role::Coordinates:
            collect(role);
            tuple.clear();
            break;
        case Role::None:
            break;
        }
    }

    void end()
    {
        // Only the end of the element being read ends its text; one inside
        // it (not in these formats, but in a file) does not.
        const Role ended = path.size() == textDepth ? text : Role::None;
        if (ended != Role::None)
            text = Role::None;
        const std::string finished = valueTooLong ? std::string() : value;
        switch (ended) {
        case Role::Time: if (draft) draft->time = finished; break;
        case Role::Latitude: if (draft) draft->latitude = finished; break;
        case Role::Longitude: if (draft) draft->longitude = finished; break;
        case Role::Elevation: if (draft) draft->elevation = finished; break;
        case Role::When: if (!whens.empty()) whens.back().second = finished; pairTrack(); break;
        case Role::Coord: if (!coords.empty()) coords.back().text = finished; pairTrack(); break;
        case Role::Coordinates: coordinatesText({}, true); break;
        default: break;
        }
        const Role role = path.empty() ? Role::None : roleOf(kind, path.back(), parent());
        if (draft && role == Role::Point) {
            // A TCX trackpoint may hold only a heart rate or a distance.
            if (draft->hasPosition)
                emit(draft->line, draft->latitude, draft->longitude, draft->time, !draft->time.empty(),
                     draft->elevation);
            draft.reset();
        } else if (inList && path.size() == listDepth) {
            if (kind == Kind::Kml && (!whens.empty() || !coords.empty())) {
                rejections.rejected({line(), "gx:Track con quantità diverse di <when> e <gx:coord>: avanzi saltati"});
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
        if (text == Role::None)
            return;
        const std::string_view piece(data, static_cast<std::size_t>(length));
        if (text == Role::Coordinates)
            return coordinatesText(piece, false);
        if (value.size() + piece.size() > kLongestValue)
            valueTooLong = true;
        else
            value += piece;
    }
};

XmlInput::XmlInput(FixSink& fixes, RejectionSink& rejections)
    : state_(std::make_unique<State>(fixes, rejections))
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

XmlInput::~XmlInput() = default;

bool XmlInput::parse(std::string_view bytes, bool last)
{
    State& state = *state_;
    if (state.failed)
        return false;
    if (XML_Parse(state.parser, bytes.data(), static_cast<int>(bytes.size()), last ? 1 : 0) == XML_STATUS_ERROR
        && !state.failed)
        state.fail(std::string("XML non valido: ") + XML_ErrorString(XML_GetErrorCode(state.parser)));
    if (state.failed) {
        state.endList();  // the points before the error are kept
        return false;
    }
    return true;
}

bool XmlInput::feed(std::string_view bytes)
{
    return parse(bytes, false);
}

// A stop or a failed read keeps the points read; only a whole input must be whole XML.
void XmlInput::finish(bool cut)
{
    if (!cut)
        parse({}, true);
    state_->endList();
}

std::optional<bool> looksLikeXml(std::string_view start)
{
    if (start.starts_with(kByteOrderMark))
        start.remove_prefix(kByteOrderMark.size());
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::nullopt;
    return start[first] == '<';
}

} // namespace zelva::batch
