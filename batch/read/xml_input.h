// SPDX-License-Identifier: GPL-3.0-or-later
// GPX (1.0, 1.1), TCX and KML documents read by expat as their bytes arrive,
// with or without namespace prefixes. Which elements are lists, points and
// values is a table (xml_input.cpp); the kind of document is known from its
// root element. Each list (GPX trkseg and rte, a TCX activity across its laps,
// KML gx:Track and LineString) ends with its element, and a pause (a second
// TCX track in a lap, an empty gx:coord) breaks it; a GPX trk and a TCX
// activity are tracks, whose ends the sink is told. Each point goes to the
// sink as soon as it ends, with the line of its start tag. A bad coordinate is
// one rejection and no fix; a bad time is one rejection and a fix without a
// clock. Malformed XML, another kind of document, a DTD (so no entity is ever
// expanded and none loaded) or markup beyond its bounds is one rejection and
// the end of the reading. Besides UTF-8 and UTF-16, expat's own, it reads
// windows-1252 and ISO-8859-15. Memory stays bounded but for a gx:Track's
// times held until their coordinates come. Throws only std::bad_alloc and
// what the sinks throw.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "batch/read/reader.h"

namespace zelva::batch {

class XmlInput final : public Reader {
public:
    // encoding: what the bytes are in where the document cannot say (UTF-16
    // without its mark); nullptr for what it says, UTF-8 where it says nothing.
    XmlInput(FixSink& fixes, RejectionSink& rejections, const char* encoding = nullptr);
    ~XmlInput() override;
    XmlInput(const XmlInput&) = delete;
    XmlInput& operator=(const XmlInput&) = delete;

    bool feed(std::string_view bytes) override;
    void finish(bool cut) override;

    struct State;

private:
    bool parse(std::string_view bytes, bool last);
    std::unique_ptr<State> state_;
};

} // namespace zelva::batch
