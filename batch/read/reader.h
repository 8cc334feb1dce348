// SPDX-License-Identifier: GPL-3.0-or-later
// What every input format is read through: bytes in as they arrive, fixes out
// to one sink, each rejected line or point to the other, as soon as each is
// known. Throws only std::bad_alloc and what the sinks throw.
#pragma once

#include <string_view>

#include "batch/fix/fix.h"

namespace zelva::batch {

class FixSink {
public:
    // The next fix of the list being read.
    virtual void fix(const Fix& fix) = 0;
    // Two fixes that are a leg by themselves, outside any list (a row of ten numbers).
    virtual void pair(const Fix& first, const Fix& second) = 0;
    // The list being read has ended; the next fix begins another.
    virtual void endList() = 0;
    // The lists between are one track's (a GPX trk, a TCX activity).
    virtual void beginTrack() {}
    virtual void endTrack() {}

protected:
    ~FixSink() = default;
};

class RejectionSink {
public:
    virtual void rejected(const Rejection& rejection) = 0;

protected:
    ~RejectionSink() = default;
};

class Reader {
public:
    virtual ~Reader() = default;
    // The next bytes of the input; false once the rest of it can be of no use.
    virtual bool feed(std::string_view bytes) = 0;
    // The input has ended: whole (cut false), or after a failed read or a
    // stop, where the bytes since the last line end are no line (cut true).
    virtual void finish(bool cut) = 0;
};

} // namespace zelva::batch
