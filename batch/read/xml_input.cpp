// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/xml_input.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "batch/read/fields.h"
#include "batch/read/input_bytes.h"
#include "batch/read/xml_error_text.h"
#include "batch/read/xml_markup_guard.h"
#include "batch/read/xml_values.h"

namespace zelva::batch {

namespace {

enum class Kind { Unknown, Gpx, Tcx, Kml };

// What an element is to the reader; the values are read from its text. A
// segment is a part of a list: a TCX Track within its activity, where a second
// one in the same lap is a pause. A lap or a placemark groups segments or
// geometries; an isolated point is one of no list (a waypoint).
enum class Role {
    None, List, Segment, Group, Point, Isolated, Time, Latitude, Longitude, Elevation, When, Coord, Coordinates
};

struct Root {
    std::string_view name;
    Kind kind;
};
constexpr Root kRoots[] = {{"gpx", Kind::Gpx}, {"TrainingCenterDatabase", Kind::Tcx}, {"kml", Kind::Kml}};

// Elements of each kind of document by their local name and their parent's
// ("" for any parent).
struct Element {
    std::string_view name;
    std::string_view parent;
    Role role;
};
constexpr Element kGpxElements[] = {
    {"trkseg", "", Role::List},
    {"rte", "", Role::List},
    {"trkpt", "trkseg", Role::Point},
    {"rtept", "rte", Role::Point},
    {"time", "trkpt", Role::Time},
    {"time", "rtept", Role::Time},
    {"ele", "trkpt", Role::Elevation},
    {"ele", "rtept", Role::Elevation},
    {"wpt", "gpx", Role::Isolated},
};
constexpr Element kTcxElements[] = {
    {"Activity", "", Role::List},
    {"Course", "", Role::List},
    {"Lap", "", Role::Group},
    {"Track", "", Role::Segment},
    {"Trackpoint", "Track", Role::Point},
    {"Time", "Trackpoint", Role::Time},
    {"LatitudeDegrees", "Position", Role::Latitude},
    {"LongitudeDegrees", "Position", Role::Longitude},
    {"AltitudeMeters", "Trackpoint", Role::Elevation},
};
constexpr Element kKmlElements[] = {
    {"Placemark", "", Role::Group},
    {"Track", "", Role::List},
    {"LineString", "", Role::List},
    {"Point", "", Role::Isolated},
    {"when", "Track", Role::When},
    {"coord", "Track", Role::Coord},
    {"coordinates", "LineString", Role::Coordinates},
};
// A GPX point's position is in these attributes of its element.
constexpr std::string_view kLatitudeAttribute = "lat";
constexpr std::string_view kLongitudeAttribute = "lon";

Role roleOf(Kind kind, std::string_view name, std::string_view parent)
{
    const std::span<const Element> elements = kind == Kind::Gpx   ? std::span<const Element>(kGpxElements)
                                              : kind == Kind::Tcx ? std::span<const Element>(kTcxElements)
                                              : kind == Kind::Kml ? std::span<const Element>(kKmlElements)
                                                                  : std::span<const Element>();
    for (const Element& e : elements)
        if (e.name == name && (e.parent.empty() || e.parent == parent))
            return e.role;
    return Role::None;
}

// Whose lists are one track's, for the track's totals.
bool isTrack(Kind kind, std::string_view name)
{
    return (kind == Kind::Gpx && name == "trk") || (kind == Kind::Tcx && name == "Activity");
}

// No value of these formats is longer; a longer text is no value.
constexpr std::size_t kLongestValue = 256;
// Beyond these a document is no track but an attack on memory or time.
constexpr std::size_t kDeepestElement = 1000;
constexpr std::size_t kLongestText = 64 * 1024;

std::string_view localName(const XML_Char* name)
{
    const std::string_view whole(name);
    const std::size_t colon = whole.rfind(':');
    return colon == std::string_view::npos ? whole : whole.substr(colon + 1);
}

// An element being read: its local name, and what it is, known at its start.
struct OpenElement {
    std::string name;
    Role role;
    bool track;
};

// A point as its elements come: text first, judged when the point ends. One
// draft serves every point, its strings keeping their room.
struct Draft {
    bool open = false;
    long line = 0;
    std::string latitude, longitude, time, elevation;
    bool hasPosition = false;

    void begin(long at, bool positioned)
    {
        open = true;
        line = at;
        latitude.clear();
        longitude.clear();
        time.clear();
        elevation.clear();
        hasPosition = positioned;
    }
};

struct Coordinate {
    long line = 0;
    std::string text;
};

} // namespace

namespace {

// The single-byte encodings editors save in, beyond expat's own: each byte's
// Unicode character. Both are ISO-8859-1 but where they are listed.
struct ByteEncoding {
    std::string_view names[3];
    std::pair<unsigned char, char16_t> differences[32];
};
constexpr ByteEncoding kByteEncodings[] = {
    {{"windows-1252", "cp1252", "x-cp1252"},
     {{0x80, 0x20AC}, {0x81, 0xFFFD}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
      {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039},
      {0x8C, 0x0152}, {0x8D, 0xFFFD}, {0x8E, 0x017D}, {0x8F, 0xFFFD}, {0x90, 0xFFFD}, {0x91, 0x2018},
      {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
      {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153}, {0x9D, 0xFFFD},
      {0x9E, 0x017E}, {0x9F, 0x0178}}},
    {{"iso-8859-15", "latin-9", "latin9"},
     {{0xA4, 0x20AC}, {0xA6, 0x0160}, {0xA8, 0x0161}, {0xB4, 0x017D}, {0xB8, 0x017E}, {0xBC, 0x0152},
      {0xBD, 0x0153}, {0xBE, 0x0178}}},
};

// Expat asks for an encoding it does not know by the name the document gives.
int unknownEncoding(void*, const XML_Char* name, XML_Encoding* info)
{
    for (const ByteEncoding& encoding : kByteEncodings) {
        if (std::none_of(std::begin(encoding.names), std::end(encoding.names),
                         [&](std::string_view n) { return equalsIgnoringCase(name, n); }))
            continue;
        for (int byte = 0; byte < 256; ++byte)
            info->map[byte] = byte;
        for (const auto& [byte, character] : encoding.differences)
            if (character)
                info->map[byte] = character;
        info->data = nullptr;
        info->convert = nullptr;
        info->release = nullptr;
        return XML_STATUS_OK;
    }
    return XML_STATUS_ERROR;
}

} // namespace

struct XmlInput::State {
    State(FixSink& f, RejectionSink& r, const char* encoding)
        : fixes(f), rejections(r), parser(XML_ParserCreate(encoding))
    {
    }
    ~State() { XML_ParserFree(parser); }

    // expat's user data back as the state.
    static State& of(void* data) { return *static_cast<State*>(data); }

    FixSink& fixes;
    RejectionSink& rejections;
    XML_Parser parser;
    Kind kind = Kind::Unknown;
    std::vector<OpenElement> path;  // from the root
    bool inList = false;
    std::size_t listDepth = 0;  // the element that began the list
    Draft draft;
    Role text = Role::None;     // what the text being read is for
    std::size_t textDepth = 0;  // the element whose text it is
    std::string value;
    std::size_t valueLength = 0;  // the whole text's, kept or not
    std::deque<std::pair<long, std::string>> whens;  // gx:Track: times waiting for their coordinates
    std::deque<Coordinate> coords;
    std::string tuple;  // LineString: the coordinates tuple cut by the end of a piece of text
    long tupleLine = 0;
    std::size_t tupleLength = 0;
    bool failed = false;
    XmlMarkupGuard guard;
    long rootLine = 0;
    long lists = 0;             // lists begun in the whole document
    long isolated = 0;          // points of no list
    std::size_t segments = 0;   // TCX tracks in the lap or course being read
    bool groupHadTrack = false; // a KML placemark whose gx:Track was read
    std::size_t skipDepth = 0;  // an element passed over whole, with all inside it

    long line() const { return static_cast<long>(XML_GetCurrentLineNumber(parser)); }
    std::string_view parent() const { return path.size() < 2 ? std::string_view() : path[path.size() - 2].name; }

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
        valueLength = 0;
    }

    // The text read, moved where it goes, or nothing where it is too long to
    // be a value. What is left in value is cleared by the next collect().
    void takeValue(std::string& into)
    {
        if (valueLength > kLongestValue)
            into.clear();
        else
            into.swap(value);
    }

    // A list inside a list (no format has one, but a file may) is part of the outer one.
    bool beginList()
    {
        if (inList)
            return false;
        inList = true;
        listDepth = path.size();
        segments = 0;
        ++lists;
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
        else {
            // A time that cannot be read leaves the position, for distances.
            if (timed && !clock)
                rejections.rejected({at, "punto con data e ora non valide: usata la sola posizione"});
            fixes.fix(Fix{at, *lat, *lon, clock, readMetres(elevation)});
        }
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
            // An empty gx:coord is where recording paused: no leg across it.
            if (coords.front().text.find_first_not_of(" \t\r\n") == std::string::npos)
                fixes.endList();
            else
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
                if (tupleLength++ == 0)
                    tupleLine = line();
                if (tupleLength > kLongestText)
                    return fail("XML non valido: una coordinata oltre 64 KiB");
                if (tuple.size() < kLongestValue)
                    tuple += c;
                continue;
            }
            if (!tuple.empty())
                emitTuple(tupleLine, tuple, ',', nullptr);
            tuple.clear();
            tupleLength = 0;
        }
        if (ended && !tuple.empty()) {
            emitTuple(tupleLine, tuple, ',', nullptr);
            tuple.clear();
            tupleLength = 0;
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
            rootLine = line();
        }
        if (path.size() == kDeepestElement)
            return fail("XML non valido: oltre " + std::to_string(kDeepestElement) + " elementi uno dentro l'altro");
        path.push_back(OpenElement{std::string(local), Role::None, isTrack(kind, local)});
        const Role role = path.back().role = roleOf(kind, local, parent());
        if (skipDepth)
            return;
        if (path.back().track)
            fixes.beginTrack();
        switch (role) {
        case Role::List:
            // A converter writes a flight both as a gx:Track and as the
            // LineString of the same placemark: it is listed once.
            if (kind == Kind::Kml && local == "LineString" && groupHadTrack) {
                skipDepth = path.size();
                break;
            }
            if (beginList() && kind == Kind::Kml) {
                groupHadTrack = groupHadTrack || local == "Track";
                whens.clear();
                coords.clear();
            }
            break;
        case Role::Segment:
            // A TCX activity is one list across its laps; a second track in
            // one lap is a pause, where no leg is made.
            if (!beginList() && segments > 0)
                fixes.endList();
            ++segments;
            break;
        case Role::Group:
            segments = 0;
            groupHadTrack = false;
            break;
        case Role::Isolated:
            ++isolated;
            break;
        case Role::Point:
            draft.begin(line(), kind == Kind::Gpx);
            for (const XML_Char** a = attributes; kind == Kind::Gpx && *a; a += 2) {
                if (a[0] == kLatitudeAttribute)
                    draft.latitude = a[1];
                else if (a[0] == kLongitudeAttribute)
                    draft.longitude = a[1];
            }
            break;
        case Role::Latitude:
        case Role::Longitude:
            if (!draft.open)
                break;
            draft.hasPosition = true;
            collect(role);
            break;
        case Role::Time:
        case Role::Elevation:
            if (draft.open)
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
        if (skipDepth) {
            if (path.size() == skipDepth)
                skipDepth = 0;
            path.pop_back();
            return;
        }
        // Only the end of the element being read ends its text; one inside
        // it (not in these formats, but in a file) does not.
        const Role ended = path.size() == textDepth ? text : Role::None;
        if (ended != Role::None)
            text = Role::None;
        switch (ended) {
        case Role::Time: if (draft.open) takeValue(draft.time); break;
        case Role::Latitude: if (draft.open) takeValue(draft.latitude); break;
        case Role::Longitude: if (draft.open) takeValue(draft.longitude); break;
        case Role::Elevation: if (draft.open) takeValue(draft.elevation); break;
        case Role::When: if (!whens.empty()) takeValue(whens.back().second); pairTrack(); break;
        case Role::Coord: if (!coords.empty()) takeValue(coords.back().text); pairTrack(); break;
        case Role::Coordinates: coordinatesText({}, true); break;
        default: break;
        }
        const Role role = path.empty() ? Role::None : path.back().role;
        if (draft.open && role == Role::Point) {
            // A TCX trackpoint may hold only a heart rate or a distance.
            if (draft.hasPosition)
                emit(draft.line, draft.latitude, draft.longitude, draft.time, !draft.time.empty(), draft.elevation);
            draft.open = false;
        } else if (inList && path.size() == listDepth) {
            if (kind == Kind::Kml && (!whens.empty() || !coords.empty())) {
                rejections.rejected({line(), "gx:Track con quantità diverse di <when> e <gx:coord>: avanzi saltati"});
                whens.clear();
                coords.clear();
            }
            endList();
        }
        if (!path.empty() && path.back().track)
            fixes.endTrack();
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
        valueLength += piece.size();
        if (valueLength > kLongestText)
            return fail("XML non valido: il testo di <" + path.back().name + "> supera 64 KiB");
        if (valueLength <= kLongestValue)
            value += piece;
    }
};

XmlInput::XmlInput(FixSink& fixes, RejectionSink& rejections, const char* encoding)
    : state_(std::make_unique<State>(fixes, rejections, encoding))
{
    XML_Parser parser = state_->parser;
    if (!parser)
        throw std::bad_alloc();
    XML_SetUserData(parser, state_.get());
    XML_SetUnknownEncodingHandler(parser, unknownEncoding, nullptr);
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
        state.fail(std::string("XML non valido: ") + std::string(xmlErrorText(XML_GetErrorCode(state.parser))));
    if (state.failed) {
        state.endList();  // the points before the error are kept
        return false;
    }
    return true;
}

bool XmlInput::feed(std::string_view bytes)
{
    State& state = *state_;
    const std::size_t safe = state.guard.scan(bytes);
    if (!parse(bytes.substr(0, safe), false))
        return false;
    if (safe == bytes.size())
        return true;
    state.fail("XML non valido: " + std::string(state.guard.refusal()));
    state.endList();
    return false;
}

// A stop or a failed read keeps the points read; only a whole input must be whole XML.
void XmlInput::finish(bool cut)
{
    State& state = *state_;
    if (!cut && parse({}, true) && state.lists == 0) {
        // Waypoints or places alone make no leg: say so, rather than nothing.
        const long n = state.isolated;
        state.rejections.rejected({state.rootLine, n == 0 ? std::string("nessuna traccia e nessun punto")
                                                   : "nessuna traccia: " + std::to_string(n)
                                                         + (n == 1 ? " punto isolato" : " punti isolati")});
    }
    state.endList();
}

} // namespace zelva::batch
