// SPDX-License-Identifier: GPL-3.0-or-later
// A GPX (1.0, 1.1), TCX or KML document read by expat as its bytes arrive,
// with or without namespace prefixes: its lists of points (GPX trkseg and rte,
// TCX Track, KML gx:Track and LineString) go to a sink, each point with the
// line of its start tag, as soon as it ends. The kind of document is known
// from its root element. A point with a bad coordinate or time goes to the
// sink as bad; a TCX trackpoint without a position is passed over. Malformed
// XML, another kind of document or a DTD (so no entity is ever expanded, and no
// external one loaded) ends the reading with one error. Memory stays bounded
// but for a gx:Track's times held until their coordinates come. Throws only
// std::bad_alloc and what the sink throws.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "batch/xml_values.h"

namespace zelva::batch {

struct TrackPoint {
    long line = 0;
    double latitude = 0.0;
    double longitude = 0.0;
    std::optional<UtcTime> time;  // none for a route's point or a LineString's
};

class TrackSink {
public:
    virtual void beginList() = 0;
    virtual void point(const TrackPoint& point) = 0;
    virtual void endList() = 0;
    virtual void badPoint(long line, std::string_view reason) = 0;

protected:
    ~TrackSink() = default;
};

class XmlTrackReader {
public:
    struct Error {
        long line = 0;
        std::string reason;  // Italian, complete: "XML non valido: ..."
    };

    explicit XmlTrackReader(TrackSink& sink);
    ~XmlTrackReader();
    XmlTrackReader(const XmlTrackReader&) = delete;
    XmlTrackReader& operator=(const XmlTrackReader&) = delete;

    // The next bytes, `last` with the end of the input; false once an error
    // has ended the reading.
    bool feed(const char* data, std::size_t size, bool last);
    const std::optional<Error>& error() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Whether an input that begins with these bytes (a byte order mark and blanks
// aside) is XML; nullopt while only blanks have come.
std::optional<bool> looksLikeXml(std::string_view start);

} // namespace zelva::batch
